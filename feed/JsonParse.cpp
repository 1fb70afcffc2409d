#include "feed/JsonParse.h"

#include "support/DecimalText.h"

bool ParseJson(const std::string& text, Json::Value& root)
{
    return ParseJson(text.data(), text.data() + text.size(), root);
}

bool ParseJson(const char* begin, const char* end, Json::Value& root)
{
    Json::Reader reader;
    try {
        return reader.parse(begin, end, root);
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
