#pragma once
// The SVG the program writes, read by expat: false unless it is well-formed
// XML; otherwise its elements in document order, with their attributes and
// the character data directly inside, entities decoded.

#include <expat.h>

#include <map>
#include <string>
#include <vector>

namespace kalviro::test {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::string attr(const std::string& n) const {
        const auto it = attributes.find(n);
        return it == attributes.end() ? std::string() : it->second;
    }
};

inline bool parseXml(const std::string& doc, std::vector<XmlElement>& out) {
    struct State {
        std::vector<XmlElement>* out;
        std::vector<std::size_t> open;
    } state{&out, {}};
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attrs) {
            auto& s = *static_cast<State*>(data);
            XmlElement e{name, {}, {}};
            for (; *attrs; attrs += 2)
                e.attributes[attrs[0]] = attrs[1];
            s.out->push_back(std::move(e));
            s.open.push_back(s.out->size() - 1);
        },
        [](void* data, const XML_Char*) { static_cast<State*>(data)->open.pop_back(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto& s = *static_cast<State*>(data);
        (*s.out)[s.open.back()].text.append(text, static_cast<std::size_t>(length));
    });
    const bool ok = XML_Parse(parser, doc.data(), static_cast<int>(doc.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

} // namespace kalviro::test
