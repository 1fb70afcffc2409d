// One exchange with a loopback server: our client against libcurl's easy
// interface, on the same server in the same process.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include "ScriptedServer.h"
#include "http/HttpClient.h"

namespace {

constexpr int kBudgetMs = 10000;
constexpr std::size_t kLargeSize = 8 << 20;

std::string Head(const std::string& extra)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nConnection: close\r\n" + extra +
           "\r\n";
}

std::string SmallJsonReply()
{
    std::string body = "{\"online\":\"37\",\"live_id\":1000,\"status\":1}";
    return Head("Content-Length: " + std::to_string(body.size()) + "\r\n") + body;
}

std::string LargeBody()
{
    std::string body(kLargeSize, 'x');
    for (std::size_t i = 0; i < body.size(); i += 61)
        body[i] = static_cast<char>('a' + i % 26);
    return body;
}

std::string LargeLengthReply()
{
    return Head("Content-Length: " + std::to_string(kLargeSize) + "\r\n") + LargeBody();
}

std::string LargeChunkedReply()
{
    std::string body = LargeBody();
    std::string reply = Head("Transfer-Encoding: chunked\r\n");
    for (std::size_t at = 0; at < body.size(); at += 4096)
        reply += "1000\r\n" + body.substr(at, 4096) + "\r\n";
    return reply + "0\r\n\r\n";
}

void RunOurs(benchmark::State& state, const std::string& reply)
{
    CScriptedServer server({Reply(reply)}, true);
    const std::string url = server.Url("/index.php/Welcome/get_live_online?live_id=1000");
    std::size_t bytes = 0;
    for (auto _ : state) {
        CHttpClient client;
        if (client.Execute(url, kBudgetMs, 0) != 0) {
            state.SkipWithError("transfer failed");
            break;
        }
        bytes += client.m_response.m_body.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* user)
{
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

void RunCurl(benchmark::State& state, const std::string& reply)
{
    CScriptedServer server({Reply(reply)}, true);
    const std::string url = server.Url("/index.php/Welcome/get_live_online?live_id=1000");
    CURL* curl = curl_easy_init();
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Simple Http Client");
    std::size_t bytes = 0;
    for (auto _ : state) {
        body.clear();
        if (curl_easy_perform(curl) != CURLE_OK) {
            state.SkipWithError("transfer failed");
            break;
        }
        bytes += body.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    curl_easy_cleanup(curl);
}

void BM_SmallJson_Ours(benchmark::State& state) { RunOurs(state, SmallJsonReply()); }
void BM_SmallJson_Curl(benchmark::State& state) { RunCurl(state, SmallJsonReply()); }
void BM_Large8MiB_Ours(benchmark::State& state) { RunOurs(state, LargeLengthReply()); }
void BM_Large8MiB_Curl(benchmark::State& state) { RunCurl(state, LargeLengthReply()); }
void BM_Chunked8MiB_Ours(benchmark::State& state) { RunOurs(state, LargeChunkedReply()); }
void BM_Chunked8MiB_Curl(benchmark::State& state) { RunCurl(state, LargeChunkedReply()); }

#define ORVEL_EXCHANGE(name) \
    BENCHMARK(name)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond)

ORVEL_EXCHANGE(BM_SmallJson_Ours);
ORVEL_EXCHANGE(BM_SmallJson_Curl);
ORVEL_EXCHANGE(BM_Large8MiB_Ours);
ORVEL_EXCHANGE(BM_Large8MiB_Curl);
ORVEL_EXCHANGE(BM_Chunked8MiB_Ours);
ORVEL_EXCHANGE(BM_Chunked8MiB_Curl);

} // namespace

int main(int argc, char** argv)
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}
