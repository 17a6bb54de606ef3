// The scenario language: what parses, the messages for what does not, and how a run
// reports its first failing step. Document-only scenarios need no plug-in.
#include "host/scenario.h"

#include <gtest/gtest.h>

#include <sstream>

#include "host/scenario_text.h"
#include "host/stand_in_host.h"
#include "panel/control_ids.h"
#include "panel/layout.h"
#include "tests/host/run_text.h"

namespace {

using standin::Host;

std::vector<std::string> ParseErrors(const std::string& text) {
  standin::Scenario scenario;
  std::vector<std::string> errors;
  EXPECT_FALSE(standin::ParseScenario(text, "t.scn", &scenario, &errors));
  return errors;
}

TEST(ScenarioParser, ReportsEveryMalformedLineWithFileAndLine) {
  auto errors = ParseErrors(
      "# a comment\n"
      "\n"
      "object cube\n"
      "vertex 1 2\n"
      "face 0 x\n"
      "frobnicate\n"
      "expect calls MQ_NoSuchThing 1\n"
      "event 103 =4 result=2\n"
      "event 103 result=many\n"
      "type MoveX 12\n"
      "call MQInit sideways\n"
      "expect checked Move maybe\n"
      "echo \"unterminated\n"
      "float-array 0 772 1 2 3\n"
      "float-array 0 999 1 2 3\n"
      "click NoSuchButton\n"
      "hover\n"
      "hover NoSuchButton\n");
  const std::vector<std::string> want = {
      "t.scn:4: usage: vertex X Y Z  or  vertices X Y Z [X Y Z ...]",
      "t.scn:5: 'x' is not an integer",
      "t.scn:6: unknown step 'frobnicate'",
      "t.scn:7: 'MQ_NoSuchThing' is not a host function",
      "t.scn:8: option '=4' has no key",
      "t.scn:9: option 'result=many': 'many' is not an integer, ptr or null",
      "t.scn:10: usage: type ID \"TEXT\"",
      "t.scn:11: call MQInit takes host, incomplete-host or a quoted path, not 'sideways'",
      "t.scn:12: expected yes or no, got 'maybe'",
      "t.scn:13: unterminated string",
      "t.scn:14: float array 772 holds 16 floats, not 3",
      "t.scn:15: the host keeps float arrays 770, 771 and 772 only, not 999",
      "t.scn:16: 'NoSuchButton' is neither a control name nor an ID",
      "t.scn:17: usage: hover ID",
      "t.scn:18: 'NoSuchButton' is neither a control name nor an ID",
  };
  EXPECT_EQ(errors, want);
}

TEST(ScenarioParser, IntegersSpanSignedAndUnsigned32BitsAndNoMore) {
  standin::Scenario scenario;
  std::vector<std::string> errors;
  EXPECT_TRUE(standin::ParseScenario(
      "call MQCheckVersion 4294967295\ncall MQCheckVersion 0xFFFFFFFF\nevent -2147483648\n"
      "expect answer -1\n",
      "t.scn", &scenario, &errors));
  EXPECT_EQ(scenario.steps.size(), 4u);
  EXPECT_EQ(ParseErrors("call MQCheckVersion 4294967296\n"),
            std::vector<std::string>{"t.scn:1: '4294967296' is not an integer"});
  EXPECT_EQ(ParseErrors("event -2147483649\n"),
            std::vector<std::string>{"t.scn:1: '-2147483649' is not an integer"});
  EXPECT_EQ(ParseErrors("event 1.5\n"),
            std::vector<std::string>{"t.scn:1: '1.5' is not an integer"});
}

// The control a token names, or -1 when it names none.
int ControlOf(const char* text, bool quoted = false) {
  int id = 0;
  return standin::ParseControl(standin::Token{text, quoted}, &id) ? id : -1;
}

TEST(ScenarioParser, ControlsGoByTheirNamesInTheLayoutTable) {
  for (const ControlSpec& control : kPanelControls) {
    if (*control.name == '\0') continue;
    EXPECT_EQ(ControlOf(control.name), control.id) << control.name;
  }
  EXPECT_EQ(ControlOf("MoveX"), 1005);
  EXPECT_EQ(ControlOf("Move"), ctl::kMove);
  EXPECT_EQ(ControlOf("RowLabelZ"), 1002);
  EXPECT_EQ(ControlOf("HideCommand"), 1);
  EXPECT_EQ(ControlOf("CloseCommand"), 2);
  EXPECT_EQ(ControlOf("57712"), ctl::kPasteXYZ);
  // Names are exact, and written without quotes; unnamed frames and labels have none.
  EXPECT_EQ(ControlOf("movex"), -1);
  EXPECT_EQ(ControlOf("kMoveX"), -1);
  EXPECT_EQ(ControlOf("MoveX", true), -1);
  EXPECT_EQ(ControlOf(""), -1);
  EXPECT_EQ(ControlOf("", true), -1);
}

TEST(ScenarioParser, StringsKeepHashesAndDecodeEscapes) {
  std::string printed;
  EXPECT_EQ(RunText("echo \"a # b\\t\\\"q\\\"\\x41\\\\\"  # a comment after\n", &printed), "");
  EXPECT_EQ(printed, "a # b\t\"q\"A\\\n");
}

TEST(ScenarioRun, BuildsTheDocumentItDescribes) {
  EXPECT_EQ(RunText("object a\n"
                    "vertices 0 0 0  1 0 0  1 1 0  0 1 0\n"
                    "face 0 1 2 3\n"
                    "face 1 3\n"
                    "empty-slot\n"
                    "object b\n"
                    "vertex 5 6 7\n"
                    "select-vertex 0 2\n"
                    "select-line 0 0 3\n"
                    "select-face 0 1\n"
                    "current 2\n"
                    "translate 2 1 2 3\n"
                    "float-array 2 771 9 8 7\n"),
            "");
  const standin::Document& doc = Host::Instance().document();
  ASSERT_EQ(doc.ObjectCount(), 3);
  EXPECT_EQ(doc.ObjectAt(1), nullptr);
  const standin::Object* a = doc.ObjectAt(0);
  EXPECT_EQ(a->faces[0].points, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(a->vertexSelected[2]);
  EXPECT_TRUE(a->faces[0].lineSelected[3]);
  EXPECT_TRUE(a->faces[1].selected);
  EXPECT_EQ(doc.currentObject, 2);
  EXPECT_EQ(doc.ObjectAt(2)->globalMatrix[13], 2.0f);
  EXPECT_EQ(doc.ObjectAt(2)->globalInverse[14], -3.0f);
  EXPECT_EQ(doc.ObjectAt(2)->localOrigin[2], 7.0f);
}

TEST(ScenarioRun, StopsAtTheFirstFailingStepWithItsLineAndWhatWasSeen) {
  std::string printed;
  std::string failure = RunText(
      "object a\n"
      "vertex 0.1 2 3\n"
      "expect vertex 0 0 0.1 2 3\n"
      "expect vertex 0 0 0.100000009 2 3\n"
      "echo \"not reached\"\n",
      &printed);
  EXPECT_EQ(failure,
            "t.scn:4: vertex 0 0: expected 0.100000009 2 3, got 0.100000001 2 3\n"
            "  in step: expect vertex 0 0 0.100000009 2 3");
  EXPECT_EQ(printed, "");
}

TEST(ScenarioRun, UlpsWidenAFloatComparisonByExactlyThatMuch) {
  const char* base = "object a\nvertex 0.1 -0 1\n";
  EXPECT_EQ(RunText(std::string(base) + "expect vertex 0 0 0.100000009 0 1 ulps 1\n"), "");
  EXPECT_NE(RunText(std::string(base) + "expect vertex 0 0 0.100000016 0 1 ulps 1\n"), "");
  // -0 and +0 differ in their bits but not in ulps.
  EXPECT_NE(RunText(std::string(base) + "expect vertex 0 0 0.1 0 1\n"), "");
  EXPECT_EQ(RunText(std::string(base) + "expect vertex 0 0 0.1 0 1 ulps 1\n"), "");
}

TEST(ScenarioRun, StepsOnMissingThingsFailClearly) {
  EXPECT_EQ(RunText("vertex 1 2 3\n"),
            "t.scn:1: no object to add to: start it with 'object'\n  in step: vertex 1 2 3");
  EXPECT_EQ(RunText("object\nvertex 0 0 0\nface 0 1\n"),
            "t.scn:3: face point 1 is not a vertex of object 0 (it has 1)\n  in step: face 0 1");
  EXPECT_EQ(RunText("empty-slot\nselect-vertex 0 0\n"),
            "t.scn:2: object 0 does not exist\n  in step: select-vertex 0 0");
  EXPECT_EQ(RunText("expect answer 1\n"),
            "t.scn:1: no int answer yet: call something first\n  in step: expect answer 1");
  EXPECT_EQ(RunText("click Move\n"), "t.scn:1: no panel driver\n  in step: click Move");
  EXPECT_EQ(RunText("hover Move\n"), "t.scn:1: no panel driver\n  in step: hover Move");
  EXPECT_EQ(RunText("expect message 0 code 100\n"),
            "t.scn:1: no message 0: the host received 0\n  in step: expect message 0 code 100");
}

TEST(ScenarioRun, EachRunStartsFromAFreshDocument) {
  Host::Instance().Reset().AddObject("left over");
  Host::Instance().editsOutsideCallback = 3;
  EXPECT_EQ(RunText("expect edits-outside-callback 0\nobject\nexpect calls MQDoc_GetObject 0\n"),
            "");
  EXPECT_EQ(Host::Instance().document().ObjectCount(), 1);
}

TEST(FormatFloat, PrintsNineSignificantDigitsThatReadBackExactly) {
  EXPECT_EQ(standin::FormatFloat(0.1f), "0.100000001");
  EXPECT_EQ(standin::FormatFloat(1.0f), "1");
  EXPECT_EQ(standin::FormatFloat(-2.5e-7f), "-2.49999999e-07");
  EXPECT_EQ(standin::FormatFloat(-0.0f), "-0");
}

}  // namespace
