// The host side of loading the plug-in: gridwell-host's loader, and MQInit binding
// the very host instance that the test sees.
#include <gtest/gtest.h>

#include "host/plugin_module.h"
#include "host/stand_in_host.h"

namespace {

using standin::Host;
using standin::PluginModule;

TEST(PluginModule, NamesWhatIsWrongWithAModuleThatIsNoPlugin) {
  PluginModule module;
  std::string error;
  EXPECT_FALSE(module.Load("no-such-plugin-module", &error));
  EXPECT_EQ(error.rfind("cannot load plug-in no-such-plugin-module: ", 0), 0u) << error;
  EXPECT_FALSE(module.Load(GRIDWELL_HOSTAPI_PATH, &error));
  EXPECT_EQ(error,
            std::string("plug-in ") + GRIDWELL_HOSTAPI_PATH + " does not export MQCheckVersion");
  EXPECT_FALSE(module.loaded());
}

class LoadedPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(plugin_.Load(GRIDWELL_PLUGIN_PATH, &error)) << error;
    Host::Instance().Reset();
  }
  PluginModule plugin_;
};

TEST_F(LoadedPlugin, MQInitBindsTheHostThatTheTestSees) {
  const standin::PluginExports& e = plugin_.exports();
  EXPECT_EQ(e.MQInit(GRIDWELL_INCOMPLETE_HOST_PATH), 0);
  ASSERT_EQ(e.MQInit(GRIDWELL_HOSTAPI_PATH), 1);
  ASSERT_EQ(e.MQInit(standin::HostModulePath()), 1);
  standin::Document& doc = Host::Instance().document();
  doc.AddObject("a", {{1, 2, 3}});
  doc.SelectVertex(0, 0);
  doc.currentObject = 0;
  ASSERT_EQ(e.MQOnEvent(doc.Handle(), 1, nullptr), 1);  // starts the station
  int32_t show = 1;
  EXPECT_EQ(e.MQOnEvent(doc.Handle(), 100, &show), 1);
  // The plug-in asked this host for its main window and read this document.
  EXPECT_GE(Host::Instance().CallsTo("MQ_GetWindowHandle"), 1);
  EXPECT_GE(Host::Instance().CallsTo("MQObj_GetVertex"), 1);
  EXPECT_EQ(e.MQOnEvent(doc.Handle(), 2, nullptr), 1);
  EXPECT_EQ(Host::Instance().editsOutsideCallback, 0);
}

}  // namespace
