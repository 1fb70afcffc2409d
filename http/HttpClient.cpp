#include "http/HttpClient.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>

#include "http/Address.h"
#include "http/Budget.h"
#include "http/Connect.h"
#include "http/Credentials.h"
#include "http/HttpStrings.h"
#include "http/SocketWait.h"
#include "http/Url.h"

namespace {

// Closes the socket of one transfer leg on every path out of it.
class CSocketHolder {
public:
    explicit CSocketHolder(SOCKET s) : m_socket(s) {}
    ~CSocketHolder() { SocketClose(m_socket); }
    CSocketHolder(const CSocketHolder&) = delete;
    CSocketHolder& operator=(const CSocketHolder&) = delete;
    SOCKET Get() const { return m_socket; }

private:
    SOCKET m_socket;
};

int Remaining(int budgetMs, long long startMs)
{
    return static_cast<int>(budgetMs - ElapsedMs(startMs));
}

// One connection: look-up, connect, send, receive. Returns the result code;
// remaining gets the budget left after the receive. The name look-up blocks,
// but its time counts against the budget.
int TransferLeg(CHttpClient& client, const std::string& url, int budgetMs, int& remaining)
{
    client.m_response.Reset();
    std::string host, path;
    int port = 80;
    if (SplitUrl(url, host, port, path) != 0)
        return HTTP_ERR_URL;
    client.m_request.SetHost(host, port);
    client.m_request.SetPath(path);

    long long start = NowMs();
    std::string address;
    if (FindAddress(host, address) != 0)
        return HTTP_ERR_URL;
    SOCKET raw = ::socket(AF_INET, SOCK_STREAM, 0);
    if (raw < 0)
        return HTTP_ERR_SOCKET;
    CSocketHolder socket(raw);
    int connected = ConnectWithin(socket.Get(), address, client.m_request.m_port, start, budgetMs);
    if (connected != HTTP_OK)
        return connected;
    remaining = Remaining(budgetMs, start);
    if (remaining <= 0)
        return HTTP_ERR_BUDGET;

    start = NowMs();
    if (client.SendRequest(socket.Get(), remaining) != 0)
        return HTTP_ERR_SEND;
    remaining = Remaining(remaining, start);
    if (remaining <= 0)
        return HTTP_ERR_BUDGET;

    client.m_response.m_isHead = client.m_request.m_method == "HEAD" ? 1 : 0;
    start = NowMs();
    if (client.m_response.Receive(socket.Get(), remaining) != 0)
        return HTTP_ERR_RECEIVE;
    remaining = Remaining(remaining, start);
    return HTTP_OK;
}

// The URL a 301 or 302 reply sends the client on to, when it is to be
// followed; false when the reply is the result.
bool NextLocation(const CHttpClient& client, const std::string& url, int redirectLimit, std::string& next)
{
    int status = AtoiSaturated(client.m_response.m_status.c_str());
    std::string location;
    if (redirectLimit <= 0 || (status != 301 && status != 302) ||
        client.m_response.GetHeader("Location", location) != 0 || location.empty())
        return false;
    ResolveUrl(url, location, next);
    return true;
}

} // namespace

CHttpClient::CHttpClient() : m_error(0)
{
}

int CHttpClient::Execute(std::string url, int budgetMs, int redirectLimit)
{
    if (budgetMs < 1)
        budgetMs = 99999999;
    CCredentialGuard credentials(m_request, url);
    for (;; --redirectLimit) {
        credentials.PrepareLeg(url);
        int remaining = 0;
        m_error = TransferLeg(*this, url, budgetMs, remaining);
        if (m_error != HTTP_OK)
            return -1;
        std::string next;
        if (!NextLocation(*this, url, redirectLimit, next))
            return 0;
        if (remaining <= 0) {
            m_error = HTTP_ERR_BUDGET;
            return -1;
        }
        url = std::move(next);
        budgetMs = remaining;
    }
}

int CHttpClient::SendRequest(SOCKET s, int budgetMs)
{
    std::string text;
    if (m_request.Serialize(text) != 0)
        return -1;
    SocketSetNonBlocking(s);
    long long start = NowMs();
    std::size_t sent = 0;
    while (sent < text.size()) {
        if (BudgetSpent(start, budgetMs))
            return -1;
        ssize_t n = ::send(s, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            WaitForSocket(s, POLLOUT, WaitSliceMs(start, budgetMs));
            continue;
        }
        if (n <= 0)
            return -1;
        sent += static_cast<std::size_t>(n);
    }
    return 0;
}
