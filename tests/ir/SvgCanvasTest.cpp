#include <gtest/gtest.h>

#include "XmlCheck.h"
#include "ir/SvgCanvas.h"

namespace kalviro {
namespace {

using test::parseXml;

constexpr Pen kRed{{255, 0, 0}, 1, PenStyle::Solid};
constexpr Pen kBlue{{0, 0, 255}, 2, PenStyle::Dash};

std::vector<test::XmlElement> named(const std::vector<test::XmlElement>& all,
                                    const std::string& name) {
    std::vector<test::XmlElement> out;
    for (const auto& e : all)
        if (e.name == name)
            out.push_back(e);
    return out;
}

TEST(SvgCanvas, JoinsConnectedLinesOfOnePenIntoPolylines) {
    SvgCanvas c(300, 200);
    c.setPen(kRed);
    c.drawLine(0, 0, 10, 5);
    c.drawLine(10, 5, 20, 7);
    c.drawLine(20, 7, 30, 0);
    c.drawLine(50, 50, 60, 60); // not connected: a line of its own
    c.setPen(kBlue);
    c.drawLine(60, 60, 70, 70); // connected but another pen
    std::string why;
    const auto doc = parseXml(c.document(), &why);
    ASSERT_TRUE(doc) << why;

    EXPECT_EQ((*doc)[0].name, "svg");
    EXPECT_EQ((*doc)[0].attributes.at("width"), "300");
    EXPECT_EQ((*doc)[0].attributes.at("height"), "200");
    const auto polylines = named(*doc, "polyline");
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_EQ(polylines[0].attributes.at("points"), "0,0 10,5 20,7 30,0");
    EXPECT_EQ(polylines[0].attributes.at("stroke"), "#ff0000");
    EXPECT_EQ(polylines[0].attributes.at("fill"), "none");
    const auto lines = named(*doc, "line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].attributes.at("x1"), "50");
    EXPECT_EQ(lines[0].attributes.at("y2"), "60");
    EXPECT_EQ(lines[1].attributes.at("stroke"), "#0000ff");
    EXPECT_EQ(lines[1].attributes.at("stroke-width"), "2");
    EXPECT_TRUE(lines[1].attributes.count("stroke-dasharray"));
}

TEST(SvgCanvas, TextIsEscapedAndSitsOnAWhiteBox) {
    SvgCanvas c(100, 100);
    c.drawText("a<b & \"c\" 30°", 5, 7);
    std::string why;
    const auto doc = parseXml(c.document(), &why);
    ASSERT_TRUE(doc) << why;
    const auto texts = named(*doc, "text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "a<b & \"c\" 30°");
    const auto boxes = named(*doc, "rect");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].attributes.at("x"), "5");
    EXPECT_EQ(boxes[0].attributes.at("y"), "7");
    EXPECT_EQ(boxes[0].attributes.at("fill"), "#ffffff");
}

TEST(SvgCanvas, AnEmptyPictureIsStillADocument) {
    SvgCanvas c(0, 0);
    EXPECT_TRUE(parseXml(c.document()));
}

} // namespace
} // namespace kalviro
