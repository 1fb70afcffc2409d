#include "feed/FeedDecode.h"

#include <algorithm>

#include "feed/JsonParse.h"
#include "feed/ToWide.h"

namespace {

const char16_t kGiftPrefix[] = u"送出了[";
const char16_t kGiftSuffix[] = u"]";

// A string member's text in UTF-16, at most kMaxTextUnits, read in place:
// a long text is never copied whole.
std::u16string TextOf(const Json::Value& text)
{
    const char* begin = nullptr;
    const char* end = nullptr;
    text.getString(&begin, &end);
    return ToWide(begin, end, kMaxTextUnits);
}

// The item of a message document held in [begin, end).
std::optional<DanmuItem> DecodeDocument(const char* begin, const char* end);

// The item's text and kind from a message of the given kind; the text stays
// empty for other kinds or when the member that the kind needs is not a
// string.
void ReadMessageText(const Json::Value& message, DanmuItem& item)
{
    const Json::Value& kind = MemberOf(message, "msgType");
    if (!kind.isString()) {
        return;
    }
    const std::string word = kind.asString();
    if (word == "normal") {
        const Json::Value& text = MemberOf(message, "msg");
        if (text.isString()) {
            item.msg = TextOf(text);
        }
        return;
    }
    item.gift = word == "gift";
    const Json::Value& gift = MemberOf(message, "giftName");
    if (item.gift && gift.isString()) {
        item.msg = kGiftPrefix + TextOf(gift) + kGiftSuffix;
    }
}

// The item of one history element, or nothing when the element has no
// string "msg" holding a usable message document.
std::optional<DanmuItem> DecodeElement(const Json::Value& element)
{
    const Json::Value& document = MemberOf(element, "msg");
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!document.isString() || !document.getString(&begin, &end)) {
        return std::nullopt;
    }
    return DecodeDocument(begin, end);
}

std::optional<DanmuItem> DecodeDocument(const char* begin, const char* end)
{
    Json::Value message;
    if (!ParseJson(begin, end, message) || !(message.isObject() || message.isNull())) {
        return std::nullopt;
    }
    DanmuItem item;
    const Json::Value& nick = MemberOf(message, "nickname");
    if (nick.isString()) {
        item.nick = TextOf(nick) + u":";
    }
    ReadMessageText(message, item);
    item.level = AsInt32(MemberOf(message, "level")).value_or(item.level);
    return item;
}

} // namespace

std::optional<std::int32_t> DecodeOnline(const std::string& body)
{
    Json::Value root;
    if (!ParseJson(body, root)) {
        return std::nullopt;
    }
    const Json::Value& online = MemberOf(root, "online");
    if (!online.isString()) {
        return std::nullopt;
    }
    return LeadingInt(online.asString());
}

std::optional<DanmuItem> DecodeMessage(const std::string& document)
{
    return DecodeDocument(document.data(), document.data() + document.size());
}

std::optional<std::vector<DanmuItem>> ReadHistory(const std::string& body)
{
    Json::Value root;
    if (!ParseJson(body, root) || !(root.isArray() || root.isNull())) {
        return std::nullopt;
    }
    std::vector<DanmuItem> items;
    const Json::ArrayIndex count = std::min<Json::ArrayIndex>(root.size(), kMaxHistoryItems);
    for (Json::ArrayIndex i = 0; i < count; ++i) {
        if (std::optional<DanmuItem> item = DecodeElement(root[i])) {
            items.push_back(std::move(*item));
        }
    }
    // Each new item goes in front of the ones before it.
    std::reverse(items.begin(), items.end());
    return items;
}

std::vector<DanmuItem> DecodeHistory(const std::string& body)
{
    return ReadHistory(body).value_or(std::vector<DanmuItem>());
}
