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
    c.drawLine(70, 80, 75, 90); // same x as the last end, another y
    c.drawText("a<b & \"c\"", 5, 7);
    c.drawText("日本語", 0, 0); // three characters in nine bytes
    std::vector<test::XmlElement> doc;
    ASSERT_TRUE(test::parseXml(c.document(), doc));
    std::vector<std::string> shapes;
    for (const auto& e : doc)
        shapes.push_back(e.name + " " + e.attr("stroke") + " " + e.attr("points") + e.attr("x1") +
                         e.attr("stroke-width") + e.attr("stroke-dasharray") + e.attr("width") +
                         (e.name == "text" ? e.text : ""));
    EXPECT_EQ(shapes,
              (std::vector<std::string>{
                  "svg  300", "g  ", "polyline #ff0000 0,0 10,5 20,71", "line #ff0000 501",
                  "line #0000ff 6026 2", "line #0000ff 7026 2",
                  // width: characters * 12 * 0.6 + 2
                  "rect  66", "text  a<b & \"c\"", "rect  23", "text  日本語"}));
}

} // namespace
} // namespace kalviro
