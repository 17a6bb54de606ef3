// The host side of loading the plug-in: gridwell-host's loader, and MQInit binding
// the very host instance that the test sees.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "host/plugin_module.h"
#include "host/stand_in_host.h"

namespace {

using standin::Host;
using standin::PluginModule;

// Writes a file of the given bytes into the test's temporary folder; answers its path.
std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return path;
}

// The start of a PE image as far as a loader reads to learn its machine: the DOS
// header's "MZ" and, at 0x3C, the offset of the "PE\0\0" signature, then the machine.
std::string PeHeader(uint16_t machine, uint32_t signatureAt = 0x40) {
  std::string bytes(signatureAt + 24, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>(signatureAt >> (8 * i));
  bytes.replace(signatureAt, 4, std::string("PE\0\0", 4));
  bytes[signatureAt + 4] = static_cast<char>(machine & 0xFF);
  bytes[signatureAt + 5] = static_cast<char>(machine >> 8);
  return bytes;
}

TEST(PeMachine, IsReadFromTheHeaderAndZeroForAnythingThatIsNoPeImage) {
  EXPECT_EQ(standin::PeMachineOf(WriteTempFile("i386.dll", PeHeader(0x14C))), 0x14C);
  EXPECT_EQ(standin::PeMachineOf(WriteTempFile("amd64.dll", PeHeader(0x8664, 0x80))), 0x8664);
  std::string wrongSignature = PeHeader(0x8664);
  wrongSignature[0x41] = 'X';
  EXPECT_EQ(standin::PeMachineOf(WriteTempFile("ne.dll", wrongSignature)), 0);
  std::string pastTheEnd = PeHeader(0x8664);
  pastTheEnd[0x3C] = '\x7F';
  EXPECT_EQ(standin::PeMachineOf(WriteTempFile("short.dll", pastTheEnd)), 0);
  EXPECT_EQ(standin::PeMachineOf(WriteTempFile("mz.dll", "MZ")), 0);
  EXPECT_EQ(standin::PeMachineOf(WriteTempFile("text.dll", "not an image at all")), 0);
  EXPECT_EQ(standin::PeMachineOf("no-such-file.dll"), 0);
#ifdef _WIN64
  EXPECT_EQ(standin::PeMachineOf(GRIDWELL_PLUGIN_PATH), standin::kMachineAmd64);
#elif defined(_WIN32)
  EXPECT_EQ(standin::PeMachineOf(GRIDWELL_PLUGIN_PATH), standin::kMachineI386);
#else
  EXPECT_EQ(standin::PeMachineOf(GRIDWELL_PLUGIN_PATH), 0);  // a shared library
#endif
}

// A DLL that this host cannot load because of its machine is named for what it is, in
// one line, never with a bare error code.
TEST(PluginModule, NamesTheEditionOfADllForAnotherMachine) {
  struct Case {
    uint16_t machine;
    const char* says;
  };
  const Case cases[] = {
      {standin::kMachineI386, "it is a 32-bit DLL (i386), for the modeller's 32-bit edition; "},
      {standin::kMachineAmd64, "it is a 64-bit DLL (x86-64), for the modeller's 64-bit edition; "},
      {0xAA64, "it is a DLL for another machine (PE machine 0xaa64); "},
  };
#if defined(_WIN64)
  const std::string host = "this host is the 64-bit edition and loads 64-bit (x86-64) DLLs only";
#elif defined(_WIN32)
  const std::string host = "this host is the 32-bit edition and loads 32-bit (i386) DLLs only";
#else
  const std::string host = "this host is the native build and loads shared libraries only";
#endif
  for (const Case& c : cases) {
    const std::string path =
        WriteTempFile("Gridwell-" + std::to_string(c.machine) + ".dll", PeHeader(c.machine));
    PluginModule module;
    std::string error;
    ASSERT_FALSE(module.Load(path, &error));
    const bool own = c.machine == standin::PeMachineOf(GRIDWELL_PLUGIN_PATH);
    if (own) {
      // Its own machine, but no image beyond the header: the loader's reason, in words.
      EXPECT_EQ(error.find("it is a"), std::string::npos) << error;
#ifdef _WIN32
      const size_t code = error.find(": error 193: ");
      ASSERT_NE(code, std::string::npos) << error;
      EXPECT_GT(error.size(), code + 13) << error;
#endif
    } else {
      EXPECT_EQ(error, "cannot load plug-in " + path + ": " + c.says + host);
    }
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

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
