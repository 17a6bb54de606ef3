// The host's frame from arrays 770 and 771, the checks that end every scenario, and
// what the model steps say about bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "host/frame_from_arrays.h"
#include "host/scenario.h"
#include "host/scenario_state.h"
#include "host/stand_in_host.h"
#include "plugin/host_functions.h"
#include "tests/host/run_text.h"

namespace {

using standin::Host;
using standin::Matrix;

struct Axis {
  double x, y, z;
};
Axis Row(const Matrix& m, int r) { return {m[r * 4], m[r * 4 + 1], m[r * 4 + 2]}; }
double Dot(Axis a, Axis b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Axis Cross(Axis a, Axis b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
void ExpectNear(Axis got, Axis want) {
  EXPECT_NEAR(got.x, want.x, 1e-6);
  EXPECT_NEAR(got.y, want.y, 1e-6);
  EXPECT_NEAR(got.z, want.z, 1e-6);
}

Matrix Frame(float heading, float elevation, std::array<float, 3> origin = {}) {
  Matrix m{};
  EXPECT_TRUE(standin::FrameFromLocalArrays({heading, elevation, 0}, origin, &m));
  return m;
}

TEST(FrameFromArrays, ZPointsWhereTheAnglesOfALineSay) {
  // The angles the plug-in writes for lines from the origin to these points.
  ExpectNear(Row(Frame(90, 0), 2), {1, 0, 0});
  ExpectNear(Row(Frame(0, 270), 2), {0, 1, 0});
  ExpectNear(Row(Frame(180, 0), 2), {0, 0, -1});
  ExpectNear(Row(Frame(0, 90), 2), {0, -1, 0});
  ExpectNear(Row(Frame(90, 315), 2), {std::sqrt(0.5), std::sqrt(0.5), 0});
  EXPECT_EQ(Frame(0, 0), standin::kIdentity);
}

TEST(FrameFromArrays, AxesAreSquareRightHandedAndXStaysLevel) {
  for (float heading : {0.f, 30.f, 135.f, 251.f}) {
    for (float elevation : {0.f, 20.f, 300.f, 359.f}) {
      SCOPED_TRACE(std::to_string(heading) + " " + std::to_string(elevation));
      const Matrix m = Frame(heading, elevation);
      const Axis x = Row(m, 0), y = Row(m, 1), z = Row(m, 2);
      for (Axis a : {x, y, z}) EXPECT_NEAR(Dot(a, a), 1, 1e-6);
      EXPECT_NEAR(Dot(x, y), 0, 1e-6);
      EXPECT_NEAR(Dot(y, z), 0, 1e-6);
      EXPECT_NEAR(Dot(x, z), 0, 1e-6);
      ExpectNear(Cross(x, y), z);
      EXPECT_EQ(x.y, 0);
    }
  }
}

TEST(FrameFromArrays, TheOriginIsTheTranslationAndBadValuesChangeNothing) {
  const Matrix m = Frame(10, 20, {1.5f, -2, 3});
  EXPECT_EQ(m[12], 1.5f);
  EXPECT_EQ(m[13], -2);
  EXPECT_EQ(m[14], 3);
  EXPECT_EQ(m[15], 1);
  Matrix kept = standin::kIdentity;
  EXPECT_FALSE(standin::FrameFromLocalArrays({NAN, 0, 0}, {}, &kept));
  EXPECT_FALSE(standin::FrameFromLocalArrays({0, 0, 0}, {0, INFINITY, 0}, &kept));
  EXPECT_EQ(kept, standin::kIdentity);
}

TEST(HostInvariants, OnlyTheFunctionsItUsesMayBeCalledAndEditsBelongInCallbacks) {
  Host& host = Host::Instance();
  host.Reset();
  EXPECT_EQ(standin::CheckHostInvariants(host), "");
  host.CountCall(HostFunctionIndex("MQObj_SetVertex"));
  EXPECT_EQ(standin::CheckHostInvariants(host), "");
  host.CountCall(HostFunctionIndex("MQObj_Delete"));
  const std::string violated = standin::CheckHostInvariants(host);
  EXPECT_NE(violated.find("MQObj_Delete (1 call)"), std::string::npos) << violated;
  host.Reset();
  host.editsOutsideCallback = 2;
  EXPECT_EQ(standin::CheckHostInvariants(host),
            "2 document edits happened outside a station callback");
  host.Reset();
}

TEST(ModelSteps, AViolationFailsTheScenarioAfterItsLastStep) {
  // The host pumps messages after every step; a plug-in acting then (say, from a
  // timer) is caught as surely as one acting inside a step.
  standin::Scenario scenario;
  std::vector<std::string> errors;
  ASSERT_TRUE(standin::ParseScenario("object\nvertex 0 0 0\n", "t.scn", &scenario, &errors));
  standin::RunEnvironment environment;
  environment.afterStep = [] { Host::Instance().CountCall(HostFunctionIndex("MQDoc_Compact")); };
  std::string failure;
  EXPECT_FALSE(standin::RunScenario(scenario, environment, &failure));
  EXPECT_EQ(failure,
            "t.scn: after the last step: the plug-in called MQDoc_Compact (2 calls), which is "
            "not one of the " +
                std::to_string(kCalledHostFunctionCount) + " it may use");
  environment.afterStep = [] { ++Host::Instance().editsOutsideCallback; };
  EXPECT_FALSE(standin::RunScenario(scenario, environment, &failure));
  EXPECT_EQ(failure,
            "t.scn: after the last step: 2 document edits happened outside a station callback");
}

TEST(ModelSteps, SelectByObjectNameRegionOrAll) {
  const std::string model =
      "object a\nvertices 0 0 0  1 0 0  2 0 0\nobject b\nvertices 0 5 0  1 5 0\n";
  EXPECT_EQ(RunText(model + "select-object b\nexpect selected 2\n"), "");
  EXPECT_EQ(RunText(model + "select-object 0\nexpect selected 3\n"), "");
  EXPECT_EQ(RunText(model + "select-all\nexpect selected 5\n"), "");
  EXPECT_EQ(RunText(model + "select-box 2 6 -1  0.5 -1 1\nexpect selected 3\n"), "");
  EXPECT_EQ(RunText(model + "current b\nselect-object c\n"),
            "t.scn:6: no object is named \"c\"\n  in step: select-object c");
  EXPECT_EQ(RunText(model + "current \"zz\"\n"),
            "t.scn:5: no object is named \"zz\"\n  in step: current \"zz\"");
}

TEST(ModelSteps, TheTableShowsEachRecordedMoment) {
  std::string printed;
  EXPECT_EQ(RunText("object\nvertices 0 0 0  2 4 -6\nselect-all-vertices 0\n"
                    "record \"all\"\ndeselect-all\nrecord \"none\"\nprint-table\n",
                    &printed),
            "");
  EXPECT_EQ(printed,
            "step  selected    centre x   centre y   centre z      size x     size y     size z\n"
            "----------------------------------------------------------------------------------\n"
            "all          2       1.000      2.000     -3.000       2.000      4.000      6.000\n"
            "none         0       0.000      0.000      0.000       0.000      0.000      0.000\n");
  EXPECT_EQ(RunText("print-table\n"),
            "t.scn:1: print-table: nothing recorded yet (use 'record')\n  in step: print-table");
}

TEST(ModelSteps, BadInputNamesThePlace) {
  EXPECT_EQ(RunText("load-obj \"/no/such/model.obj\"\n"),
            "t.scn:1: load-obj: /no/such/model.obj: cannot open the file\n"
            "  in step: load-obj \"/no/such/model.obj\"");
  EXPECT_EQ(RunText("object\nsave-obj \"/no/such/dir/out.obj\"\n")
                .rfind("t.scn:2: save-obj: /no/such/dir/out.obj: cannot write here", 0),
            0u);
  EXPECT_EQ(RunText("interact\n"),
            "t.scn:1: interact: this panel has no window a person could use\n"
            "  in step: interact");
  EXPECT_EQ(RunText("click Nowhere\n"),
            "parse: t.scn:1: 'Nowhere' is neither a control name nor an ID");
  EXPECT_EQ(RunText("select-box 0 0 0 1 1\n"),
            "parse: t.scn:1: usage: select-box X0 Y0 Z0 X1 Y1 Z1");
  EXPECT_EQ(RunText("frame-follows-arrays 0 maybe\n"),
            "parse: t.scn:1: expected yes or no, got 'maybe'");
}

}  // namespace
