#pragma once
// Well-formedness as far as the SVG the program writes needs it: one root,
// balanced tags, quoted attributes, no stray '<' or unknown entity. Returns
// the elements in document order, or false.

#include <string>
#include <vector>

namespace kalviro::test {

struct XmlElement {
    std::string name;
    std::string attributes; // raw text of the attribute list
    std::string text;       // raw character data directly inside
    std::string attr(const std::string& n) const {
        const std::size_t at = attributes.find(" " + n + "=\"");
        if (at == std::string::npos)
            return {};
        const std::size_t from = at + n.size() + 3;
        return attributes.substr(from, attributes.find('"', from) - from);
    }
};

inline bool plainText(const std::string& s) {
    for (std::size_t i = s.find('&'); i != std::string::npos; i = s.find('&', i + 1)) {
        const std::string e = s.substr(i, s.find(';', i) - i + 1);
        if (e != "&amp;" && e != "&lt;" && e != "&gt;" && e != "&quot;" && e != "&apos;")
            return false;
    }
    return s.find('<') == std::string::npos;
}

inline bool parseXml(std::string doc, std::vector<XmlElement>& out) {
    if (doc.starts_with("<?xml"))
        doc.erase(0, doc.find("?>") + 2);
    std::vector<std::size_t> open;
    int roots = 0;
    for (std::size_t pos = 0;;) {
        const std::size_t lt = doc.find('<', pos), gt = doc.find('>', lt);
        const std::string text = doc.substr(pos, lt == std::string::npos ? lt : lt - pos);
        if (!plainText(text) || text.find('>') != std::string::npos ||
            (open.empty() && text.find_first_not_of(" \t\r\n") != std::string::npos))
            return false;
        if (!open.empty())
            out[open.back()].text += text;
        if (lt == std::string::npos || gt == std::string::npos)
            return lt == std::string::npos && open.empty() && roots == 1;
        std::string tag = doc.substr(lt + 1, gt - lt - 1);
        pos = gt + 1;
        if (tag.starts_with("/")) {
            if (open.empty() || out[open.back()].name != tag.substr(1))
                return false;
            open.pop_back();
            continue;
        }
        const bool empty = tag.ends_with("/");
        if (empty)
            tag.pop_back();
        const std::size_t space = std::min(tag.find(' '), tag.size());
        XmlElement e{tag.substr(0, space), tag.substr(space), {}};
        // Attributes: name="value" pairs separated by blanks.
        for (std::size_t i = 0; i < e.attributes.size();) {
            const std::size_t eq = e.attributes.find("=\"", i);
            const std::size_t close = eq == std::string::npos ? eq : e.attributes.find('"', eq + 2);
            if (e.attributes[i] != ' ' || close == std::string::npos ||
                !plainText(e.attributes.substr(eq + 2, close - eq - 2)))
                return false;
            i = close + 1;
        }
        if (e.name.empty() || (open.empty() && ++roots > 1))
            return false;
        out.push_back(std::move(e));
        if (!empty)
            open.push_back(out.size() - 1);
    }
}

} // namespace kalviro::test
