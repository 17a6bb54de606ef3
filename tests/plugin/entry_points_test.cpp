// The exported entry points as the host sees them: version handshake, identity,
// enumerations, and the binding of the host function table.
#include "plugin/entry_points.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/stand_in_host.h"
#include "plugin/host_functions.h"

namespace {

TEST(EntryPoints, VersionHandshakeAcceptsFrom9360Up) {
  EXPECT_EQ(MQCheckVersion(0), 0u);
  EXPECT_EQ(MQCheckVersion(9359), 0u);
  EXPECT_EQ(MQCheckVersion(9360), 585u);
  EXPECT_EQ(MQCheckVersion(0xFFFFFFFFu), 585u);
  EXPECT_EQ(MQCheckVersion(0x80000000u), 585u);  // compared unsigned
}

TEST(EntryPoints, IdentityAnswersWithoutAHost) {
  uint32_t product = 0, id = 0;
  MQGetPlugInID(&product, &id);
  EXPECT_EQ(product, 0x65206520u);
  EXPECT_EQ(id, 0x65200307u);
  EXPECT_EQ(std::strncmp(MQGetPlugInName(), "Gridwell v0.9   ", 16), 0);
  EXPECT_EQ(MQGetPlugInType(), 6);
  EXPECT_STREQ(MQEnumString(0), "Gridwell");
  EXPECT_EQ(MQEnumString(1), nullptr);
  EXPECT_EQ(MQEnumString(-1), nullptr);
  EXPECT_EQ(MQEnumFileType(0), nullptr);
  EXPECT_EQ(MQEnumFileExt(0), nullptr);
}

TEST(EntryPoints, FileAndObjectEntryPointsAreInert) {
  MQDocument doc = standin::Host::Instance().document().Handle();
  EXPECT_EQ(MQImportFile(0, "x.obj", doc), 0);
  EXPECT_EQ(MQExportFile(0, "x.obj", doc), 0);
  EXPECT_EQ(MQCreate(0, doc), 0);
  EXPECT_EQ(MQModifyObject(0, doc), 0);
  EXPECT_EQ(MQModifySelect(0, doc), 0);
}

// MQInit answers 1 only when it found all 140 names; the plug-in then reaches the host
// through the table.
TEST(HostBinding, CompleteHostIsBoundAndCanBindAgain) {
  standin::Host& host = standin::Host::Instance();
  ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
  EXPECT_TRUE(HostFunctionsBound());
  EXPECT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
  EXPECT_TRUE(HostFunctionsBound());
  const int before = host.CallsTo("MQ_GetWindowHandle");
  EXPECT_EQ(BoundHostCalls().MQ_GetWindowHandle(), host.WindowHandle());
  EXPECT_EQ(host.CallsTo("MQ_GetWindowHandle"), before + 1);
}

TEST(HostBinding, HostMissingOnlyTheLastNameIsRefused) {
  EXPECT_EQ(MQInit(GRIDWELL_INCOMPLETE_HOST_PATH), 0);
  EXPECT_FALSE(HostFunctionsBound());
}

TEST(HostBinding, UnloadableOrNullPathIsRefused) {
  EXPECT_EQ(MQInit("no-such-module-here.dll"), 0);
  EXPECT_EQ(MQInit(nullptr), 0);
  EXPECT_FALSE(HostFunctionsBound());
}

TEST(HostBinding, EventsThatNeedTheHostDoNothingUntilABindingSucceeds) {
  standin::Host& host = standin::Host::Instance();
  host.Reset();
  MQDocument doc = host.document().Handle();
  ASSERT_EQ(MQInit("no-such-module-here.dll"), 0);
  int32_t flag = 1;
  EXPECT_EQ(MQOnEvent(doc, 1, nullptr), 0);
  EXPECT_EQ(MQOnEvent(doc, 100, &flag), 0);
  EXPECT_EQ(MQOnEvent(doc, 210, nullptr), 0);
  for (int code : {220, 221, 222}) EXPECT_EQ(MQOnEvent(doc, code, nullptr), 1) << code;
  EXPECT_EQ(MQOnEvent(doc, 101, nullptr), 0);
  EXPECT_EQ(MQOnEvent(doc, 2, nullptr), 1);
  int total = 0;
  for (int count : host.calls) total += count;
  EXPECT_EQ(total, 0);

  ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
  EXPECT_EQ(MQOnEvent(doc, 1, nullptr), 1);
  EXPECT_EQ(MQOnEvent(doc, 2, nullptr), 1);
}

}  // namespace
