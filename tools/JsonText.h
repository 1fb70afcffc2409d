#pragma once

#include <string>

#include <json/json.h>

// Builds one compact JSON object member by member, with UTF-8 text as is.
class JsonText {
public:
    template <typename T>
    JsonText& Add(const char* name, const T& value)
    {
        m_value[name] = Json::Value(value);
        return *this;
    }

    std::string Text() const;

private:
    Json::Value m_value{Json::objectValue};
};
