// The test support that changes resources in a copy of a DLL's file: it finds what the
// system's loader finds, a copy it renumbered loads with the new number, it refuses a
// number that would break the order the loader searches in, and it finds nothing in a
// file that is not a whole image. Tried on this program's own file and resources.
#include "tests/support/resource_image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr WORD kRcData = 10;  // RT_RCDATA

std::string OwnImage() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Resource id of type RCDATA as the system's loader finds it in this program, or in
// the image written to a file and loaded as data; empty when it finds none.
std::string Loaded(HMODULE module, WORD id) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kRcData));
  if (found == nullptr) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

TEST(ResourceImageTest, FindsTheBytesTheLoaderFinds) {
  std::string image = OwnImage();
  ResourceImage resources(image);
  size_t size = 0;
  const char* seven = resources.Data(kRcData, 7, &size);
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(std::string(seven, size), Loaded(GetModuleHandleA(nullptr), 7));
  EXPECT_EQ(std::string(seven, size), std::string("seven\0", 6));
  EXPECT_EQ(resources.Data(kRcData, 8, &size), nullptr);
  EXPECT_EQ(resources.Data(kRcData + 1, 7, &size), nullptr);
}

TEST(ResourceImageTest, ARenumberedResourceLoadsByItsNewNumber) {
  std::string image = OwnImage();
  ASSERT_TRUE(ResourceImage(image).Renumber(kRcData, 7, 8));

  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  const std::string path = std::string(directory) + "GridwellResourceImageTest.exe";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    ASSERT_TRUE(out.good());
  }
  HMODULE copy = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Loaded(copy, 7), "");
  EXPECT_EQ(Loaded(copy, 8), std::string("seven\0", 6));
  EXPECT_EQ(Loaded(copy, 9), std::string("nine\0", 5));
  FreeLibrary(copy);
  DeleteFileA(path.c_str());
}

TEST(ResourceImageTest, RefusesANumberThatBreaksTheOrder) {
  const std::string original = OwnImage();
  std::string image = original;
  ResourceImage resources(image);
  EXPECT_FALSE(resources.Renumber(kRcData, 7, 9));   // the next one's
  EXPECT_FALSE(resources.Renumber(kRcData, 7, 10));  // past the next one
  EXPECT_FALSE(resources.Renumber(kRcData, 9, 7));   // the previous one's
  EXPECT_FALSE(resources.Renumber(kRcData, 8, 6));   // none of that number
  EXPECT_TRUE(image == original);
}

TEST(ResourceImageTest, FindsNothingInWhatIsNotAWholeImage) {
  const std::string whole = OwnImage();
  size_t size = 0;
  for (std::string image :
       {std::string(), std::string("MZ"), std::string(4096, 'M'), whole.substr(0, 1024)}) {
    ResourceImage resources(image);
    EXPECT_EQ(resources.Data(kRcData, 7, &size), nullptr) << image.size() << " bytes";
    EXPECT_FALSE(resources.Renumber(kRcData, 7, 8)) << image.size() << " bytes";
  }
  // Cut short one byte inside the resource: its entries are there, its bytes are not.
  std::string copy = whole;
  const char* seven = ResourceImage(copy).Data(kRcData, 7, &size);
  ASSERT_NE(seven, nullptr);
  std::string cut = whole.substr(0, static_cast<size_t>(seven - copy.data()) + size - 1);
  EXPECT_EQ(ResourceImage(cut).Data(kRcData, 7, &size), nullptr);
  EXPECT_TRUE(ResourceImage(cut).Renumber(kRcData, 7, 8));
}

}  // namespace
