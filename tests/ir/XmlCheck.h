#pragma once
// A strict reader for the small XML documents the program writes: checks that
// a document is well-formed (one root, balanced tags, quoted attributes,
// known entities only) and lists its elements with their attributes.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kalviro::test {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text; // character data directly inside, entities decoded
};

// The elements in document order, or nullopt with why when not well-formed.
inline std::optional<std::vector<XmlElement>> parseXml(const std::string& doc,
                                                       std::string* why = nullptr) {
    auto fail = [&](const std::string& reason) -> std::optional<std::vector<XmlElement>> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    auto isNameChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' ||
               c == '.';
    };
    auto decode = [](const std::string& s, std::string& out) {
        out.clear();
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '<')
                return false;
            if (s[i] != '&') {
                out += s[i];
                continue;
            }
            const std::size_t semi = s.find(';', i);
            if (semi == std::string::npos)
                return false;
            const std::string e = s.substr(i + 1, semi - i - 1);
            static const std::map<std::string, char> known = {
                {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
            auto it = known.find(e);
            if (it == known.end())
                return false;
            out += it->second;
            i = semi;
        }
        return true;
    };

    std::vector<XmlElement> elements;
    std::vector<std::pair<std::string, std::size_t>> open; // name, element index
    std::size_t i = 0;
    bool rootSeen = false;
    if (doc.compare(0, 5, "<?xml") == 0) {
        i = doc.find("?>");
        if (i == std::string::npos)
            return fail("unterminated declaration");
        i += 2;
    }
    while (i < doc.size()) {
        const std::size_t lt = doc.find('<', i);
        const std::string text = doc.substr(i, (lt == std::string::npos ? doc.size() : lt) - i);
        std::string decoded;
        if (!decode(text, decoded))
            return fail("bad character data");
        if (open.empty()) {
            if (text.find_first_not_of(" \t\r\n") != std::string::npos)
                return fail("text outside the root");
        } else {
            elements[open.back().second].text += decoded;
        }
        if (lt == std::string::npos)
            break;
        i = lt + 1;
        if (i < doc.size() && doc[i] == '/') {
            std::size_t end = doc.find('>', i);
            if (end == std::string::npos)
                return fail("unterminated end tag");
            const std::string name = doc.substr(i + 1, end - i - 1);
            if (open.empty() || open.back().first != name)
                return fail("unbalanced </" + name + ">");
            open.pop_back();
            i = end + 1;
            continue;
        }
        XmlElement e;
        while (i < doc.size() && isNameChar(doc[i]))
            e.name += doc[i++];
        if (e.name.empty())
            return fail("empty element name");
        bool selfClosing = false;
        for (;;) {
            while (i < doc.size() && std::isspace(static_cast<unsigned char>(doc[i])))
                ++i;
            if (i >= doc.size())
                return fail("unterminated tag " + e.name);
            if (doc[i] == '>') {
                ++i;
                break;
            }
            if (doc.compare(i, 2, "/>") == 0) {
                i += 2;
                selfClosing = true;
                break;
            }
            std::string attr;
            while (i < doc.size() && isNameChar(doc[i]))
                attr += doc[i++];
            if (attr.empty() || i + 1 >= doc.size() || doc[i] != '=' || doc[i + 1] != '"')
                return fail("bad attribute in " + e.name);
            const std::size_t close = doc.find('"', i + 2);
            if (close == std::string::npos)
                return fail("unterminated attribute " + attr);
            std::string value;
            if (!decode(doc.substr(i + 2, close - i - 2), value))
                return fail("bad attribute value " + attr);
            if (!e.attributes.emplace(attr, value).second)
                return fail("repeated attribute " + attr);
            i = close + 1;
        }
        if (open.empty()) {
            if (rootSeen)
                return fail("second root element");
            rootSeen = true;
        }
        elements.push_back(std::move(e));
        if (!selfClosing)
            open.emplace_back(elements.back().name, elements.size() - 1);
    }
    if (!open.empty())
        return fail("unclosed <" + open.back().first + ">");
    if (!rootSeen)
        return fail("no root element");
    return elements;
}

} // namespace kalviro::test
