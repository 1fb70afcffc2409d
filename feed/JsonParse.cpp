#include "feed/JsonParse.h"

#include <memory>

#include "support/DecimalText.h"

namespace {

// Strict JSON, and nothing after the document: text past it would be
// silently dropped by the next write. Any value may be the root (a feed
// message may be null). One reader a thread, as a reader keeps state.
Json::CharReader& StrictReader()
{
    thread_local const std::unique_ptr<Json::CharReader> reader = [] {
        Json::CharReaderBuilder builder;
        Json::CharReaderBuilder::strictMode(&builder.settings_);
        builder["strictRoot"] = false;
        return std::unique_ptr<Json::CharReader>(builder.newCharReader());
    }();
    return *reader;
}

} // namespace

bool ParseJson(const std::string& text, Json::Value& root)
{
    return ParseJson(text.data(), text.data() + text.size(), root);
}

bool ParseJson(const char* begin, const char* end, Json::Value& root)
{
    try {
        return StrictReader().parse(begin, end, &root, nullptr);
    } catch (const Json::Exception&) {
        // The reader throws, rather than failing, past its nesting limit.
        root = Json::Value();
        return false;
    }
}

const Json::Value& MemberOf(const Json::Value& value, const char* name)
{
    static const Json::Value none;
    if (!value.isObject()) {
        return none;
    }
    return value[name];
}

std::optional<std::int32_t> AsInt32(const Json::Value& value)
{
    const Json::ValueType type = value.type();
    if (type != Json::intValue && type != Json::uintValue) {
        return std::nullopt;
    }
    if (!value.isInt()) {
        return std::nullopt;
    }
    return value.asInt();
}

std::int32_t LeadingInt(const std::string& text)
{
    return AtoiSaturated(text.c_str());
}
