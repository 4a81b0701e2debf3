#include <gtest/gtest.h>

#include "XmlCheck.h"
#include "ir/SvgCanvas.h"

namespace kalviro {
namespace {

TEST(SvgCanvas, JoinsConnectedLinesOfOnePenAndEscapesText) {
    SvgCanvas c(300, 200);
    c.setPen({{255, 0, 0}});
    c.drawLine(0, 0, 10, 5);
    c.drawLine(10, 5, 20, 7);
    c.drawLine(50, 50, 60, 60); // not connected
    c.setPen({{0, 0, 255}, 2, PenStyle::Dash});
    c.drawLine(60, 60, 70, 70); // connected, but another pen
    c.drawText("a<b & \"c\"", 5, 7);
    std::vector<test::XmlElement> doc;
    ASSERT_TRUE(test::parseXml(c.document(), doc));
    std::vector<std::string> shapes;
    for (const auto& e : doc)
        shapes.push_back(e.name + " " + e.attr("stroke") + " " + e.attr("points") + e.attr("x1") +
                         e.attr("stroke-width") + e.attr("stroke-dasharray") +
                         (e.name == "text" ? e.text : ""));
    EXPECT_EQ(shapes, (std::vector<std::string>{"svg  ", "g  ", "polyline #ff0000 0,0 10,5 20,71",
                                                "line #ff0000 501", "line #0000ff 6026 2", "rect  ",
                                                "text  a&lt;b &amp; &quot;c&quot;"}));
}

} // namespace
} // namespace kalviro
