// The text form of the panel's values: what atof reads, what "%.3f" shows, the same on
// both builds, and the rows each triple lives in.
#include "panel/value_fields.h"

#include <cfloat>
#include <cmath>
#include <string>

#include "tests/geometry/station_fixture.h"

namespace {

std::string Shown(float value) {
  char text[kFieldTextSize];
  FormatFieldValue(value, text);
  return text;
}

TEST(ValueText, ReadsTheLeadingNumberAndZeroWhenThereIsNone) {
  EXPECT_EQ(ParseFieldValue("1.2.3"), 1.2f);
  EXPECT_EQ(ParseFieldValue("-.5"), -0.5f);
  EXPECT_EQ(ParseFieldValue("  7xyz"), 7.0f);
  EXPECT_EQ(ParseFieldValue("1e3"), 1000.0f);
  EXPECT_EQ(ParseFieldValue("0.1234567"), 0.1234567f);
  // A sign, a point or an exponent is taken only with the digits that make it a number.
  const struct {
    const char* text;
    float value;
  } partial[] = {{"+1.5", 1.5f}, {"+.5", 0.5f},   {".5", 0.5f},   {"-7.", -7.0f},
                 {"1e", 1.0f},   {"2.5e-", 2.5f}, {"3e+x", 3.0f}, {"\t\n 4", 4.0f}};
  for (const auto& c : partial) EXPECT_EQ(ParseFieldValue(c.text), c.value) << '"' << c.text << '"';
  for (const char* none : {"", "   ", "--1", "-", "+", ".", "-.", "+.e1", "abc", "- 1", "+-2"}) {
    EXPECT_EQ(Bits(ParseFieldValue(none)), Bits(0.0f)) << '"' << none << '"';
  }
  // Decimal only: hexadecimal text reads as its leading 0, keeping the sign.
  EXPECT_EQ(Bits(ParseFieldValue("0x10")), Bits(0.0f));
  EXPECT_EQ(Bits(ParseFieldValue(" -0X1p3")), Bits(-0.0f));
  EXPECT_EQ(ParseFieldValue("00x10"), 0.0f);
  EXPECT_EQ(ParseFieldValue(std::string(300, '9').c_str()), INFINITY);
  EXPECT_EQ(ParseFieldValue("-inf"), -INFINITY);
  EXPECT_TRUE(std::isnan(ParseFieldValue("nan")));
}

// Text pasted from a Japanese document: full-width digits, point and minus, and the
// minus sign, read as what they show. Text that is no number reads as before.
TEST(ValueText, ReadsFullWidthDigitsPointAndMinusAsTheirHalfWidthTwins) {
  EXPECT_EQ(ParseFieldValue("１．５"), 1.5f);
  EXPECT_EQ(ParseFieldValue("－２"), -2.0f);
  EXPECT_EQ(ParseFieldValue("−０．２５"), -0.25f);
  EXPECT_EQ(ParseFieldValue(" １２３４５６７８９０"), 1234567890.0f);
  EXPECT_EQ(ParseFieldValue("１．２．３"), 1.2f);
  EXPECT_EQ(ParseFieldValue("３ｍｍ"), 3.0f);
  for (const char* none : {"－－１", "＋１", "ｅ", "\u3000１", "．", "―１"}) {
    EXPECT_EQ(Bits(ParseFieldValue(none)), Bits(0.0f)) << '"' << none << '"';
  }
}

TEST(ValueText, ShowsThreeDecimalsWithTiesToEven) {
  EXPECT_EQ(Shown(0), "0.000");
  EXPECT_EQ(Shown(-1.5f), "-1.500");
  EXPECT_EQ(Shown(1.23456f), "1.235");
  EXPECT_EQ(Shown(0.0625f), "0.062");  // exactly halfway
  EXPECT_EQ(Shown(-0.1875f), "-0.188");
  EXPECT_EQ(Shown(FLT_MAX), "340282346638528859811704183484516925440.000");
  EXPECT_EQ(Shown(INFINITY) + Shown(-INFINITY) + Shown(-NAN), "inf-infnan");
}

using ValueFieldsTest = StationTest;

TEST_F(ValueFieldsTest, ReadsAtMost255CharactersOfAField) {
  panel_->SetText(ctl::kMoveX, (std::string(254, '0') + "1").c_str());
  EXPECT_EQ(g_plugin.ReadMoveFields().x, 1);
  panel_->SetText(ctl::kMoveX, (std::string(255, '0') + "1").c_str());
  EXPECT_EQ(g_plugin.ReadMoveFields().x, 0);
  // Characters, not bytes: a full-width digit is three bytes of UTF-8.
  std::string zeros;
  for (int i = 0; i < 254; ++i) zeros += "０";
  panel_->SetText(ctl::kMoveY, (zeros + "２").c_str());
  EXPECT_EQ(g_plugin.ReadMoveFields().y, 2);
  panel_->SetText(ctl::kMoveY, (zeros + "０２").c_str());
  EXPECT_EQ(g_plugin.ReadMoveFields().y, 0);
}

TEST_F(ValueFieldsTest, RotationTripleStartsWithTheYRow) {
  SetTexts(kRotation, "10", "20", "30");
  const RotationTriple angles = g_plugin.ReadRotationFields();
  EXPECT_EQ(angles.yRow, 20);
  EXPECT_EQ(angles.xRow, 10);
  EXPECT_EQ(angles.zRow, 30);
  g_plugin.WriteRotationFields(angles.yRow, angles.xRow, angles.zRow);
  EXPECT_EQ(Texts(kRotation), "10.000 20.000 30.000");
}

TEST_F(ValueFieldsTest, ClearButtonsResetTheEditableTriples) {
  SetTexts(kRotation, "abc", "1", "-");
  panel_->Click(ctl::kClearRotation);
  EXPECT_EQ(Texts(kRotation), "0.000 0.000 0.000");

  SetTexts(kMove, "4", "5", "6");
  panel_->Click(ctl::kClearMove);
  EXPECT_EQ(Texts(kMove), "0.000 0.000 0.000");
  // In absolute mode the centre's text is copied as it stands.
  panel_->Click(ctl::kAbsolute);
  SetTexts(kCentre, "12.500", "-3.000", "x0.250");
  panel_->Click(ctl::kClearMove);
  EXPECT_EQ(Texts(kMove), "12.500 -3.000 x0.250");
}

}  // namespace
