// The event table: which operation each code reaches, with which option values, and
// what the dispatcher answers and writes back.
#include "plugin/event_dispatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/plugin/mock_station_plugin.h"

using ::testing::_;
using ::testing::Eq;
using ::testing::Field;
using ::testing::Invoke;
using ::testing::NiceMock;
using ::testing::Pointee;
using ::testing::Return;
using ::testing::StrictMock;

namespace {

MQDocument const kDoc = reinterpret_cast<MQDocument>(0x1234);

// An option list that owns its ints, so written-back values can be read.
class Options {
 public:
  Options& Int(const char* key, int value) {
    ints_.push_back(std::make_unique<int32_t>(value));
    pairs_.push_back({key, ints_.back().get()});
    return *this;
  }
  Options& Ptr(const char* key, void* value) {
    pairs_.push_back({key, value});
    return *this;
  }
  OptionPair* list() {
    terminated_ = pairs_;
    terminated_.push_back({nullptr, nullptr});
    return terminated_.data();
  }
  int32_t& IntAt(size_t i) { return *ints_[i]; }

 private:
  std::vector<std::unique_ptr<int32_t>> ints_;
  std::vector<OptionPair> pairs_;
  std::vector<OptionPair> terminated_;
};

TEST(FindOption, MatchesWholeKeysExactlyAndTheFirstPairWins) {
  int a = 1, b = 2, c = 3;
  Options options;
  options.Ptr("state", &a).Ptr("State", &c).Ptr("state", &b).Ptr("stat", &c);
  EXPECT_EQ(FindOption(options.list(), "state"), &a);
  EXPECT_EQ(FindOption(options.list(), "State"), &c);
  EXPECT_EQ(FindOption(options.list(), "sta"), nullptr);
  EXPECT_EQ(FindOption(options.list(), "states"), nullptr);
  EXPECT_EQ(FindOption(nullptr, "state"), nullptr);
}

TEST(FindOption, StopsAtTheFirstNullKey) {
  int a = 1;
  OptionPair list[] = {{nullptr, nullptr}, {"state", &a}, {nullptr, nullptr}};
  EXPECT_EQ(FindOption(list, "state"), nullptr);
}

TEST(EventDispatch, WidthAndHeightDefaultToOneOnlyWhenAbsent) {
  StrictMock<MockStationPlugin> plugin;
  int scene = 0;
  Options present;
  present.Int("width", 0).Int("Height", 9).Ptr("scene", &scene);
  EXPECT_CALL(plugin, OnEvent110(kDoc, &scene, 0, 1));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 110, present.list()), 1);

  EXPECT_CALL(plugin, OnEvent110(kDoc, nullptr, 1, 1));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 110, nullptr), 1);
}

TEST(EventDispatch, StationEventsReachTheirOperationsAndAnswerAsTheTableSays) {
  StrictMock<MockStationPlugin> plugin;
  Options state;
  state.Int("state", 5).Int("state", 6).Int("size", 7);

  EXPECT_CALL(plugin, StartStation()).WillOnce(Return(0));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 1, nullptr), 0);
  EXPECT_CALL(plugin, StopStation());
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 2, nullptr), 1);
  EXPECT_CALL(plugin, IsStationShown(kDoc)).WillOnce(Return(1));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 101, nullptr), 1);
  EXPECT_CALL(plugin, OnEvent201(kDoc));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 201, nullptr), 1);
  EXPECT_CALL(plugin, OnEvent210(kDoc, 5)).WillOnce(Return(0));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 210, state.list()), 0);
  EXPECT_CALL(plugin, OnEvent211(kDoc, 0)).WillOnce(Return(4));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 211, nullptr), 4);
  EXPECT_CALL(plugin, OnEvent212(kDoc, 5, 7));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 212, state.list()), 1);
  EXPECT_CALL(plugin, OnEvent220(kDoc));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 220, nullptr), 1);
  EXPECT_CALL(plugin, OnEvent221(kDoc));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 221, nullptr), 1);
  EXPECT_CALL(plugin, OnEvent222(kDoc));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 222, nullptr), 1);
  EXPECT_CALL(plugin, OnEvent230(kDoc));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 230, nullptr), 1);
  EXPECT_CALL(plugin, OnEvent231(kDoc));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 231, nullptr), 1);
  int scene = 0;
  Options withScene;
  withScene.Ptr("scene", &scene);
  EXPECT_CALL(plugin, OnEvent240(kDoc, &scene));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 240, withScene.list()), 1);
}

TEST(EventDispatch, EventsHundredAndHundredTwoTakeAPointerToTheirFlag) {
  StrictMock<MockStationPlugin> plugin;
  int32_t flag = 7;
  EXPECT_CALL(plugin, ShowStation(kDoc, 7)).WillOnce(Return(1));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 100, &flag), 1);
  flag = 0;
  EXPECT_CALL(plugin, OnEvent102(kDoc, 0));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 102, &flag), 1);
}

TEST(EventDispatch, PlugInMessageWritesTheAnswerIntoResultWhenPresent) {
  NiceMock<MockStationPlugin> plugin;
  int description = 0, message = 0;
  Options options;
  options.Int("src_product", 11).Int("src_id", 22).Int("result", -1);
  options.Ptr("description", &description).Ptr("message", &message);
  EXPECT_CALL(plugin, ReceivePlugInMessage(kDoc, 11, 22, &description, &message))
      .WillOnce(Return(59));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 103, options.list()), 1);
  EXPECT_EQ(options.IntAt(2), 59);

  EXPECT_CALL(plugin, ReceivePlugInMessage(kDoc, 0, 0, nullptr, nullptr)).WillOnce(Return(59));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 103, nullptr), 1);
}

TEST(EventDispatch, Event202WritesSaveUidOnlyWhenTheOperationAsks) {
  NiceMock<MockStationPlugin> plugin;
  int element = 0, filename = 0;
  Options options;
  options.Ptr("xml_elem", &element).Ptr("filename", &filename).Int("save_uid", 42);

  EXPECT_CALL(plugin, OnEvent202(kDoc, &filename, _))
      .WillOnce(Invoke([&](MQDocument, void*, Event202Record* record) {
        EXPECT_EQ(record->element, &element);
        EXPECT_EQ(record->saveUniqueIds, 0);
      }));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 202, options.list()), 1);
  EXPECT_EQ(options.IntAt(0), 42);

  EXPECT_CALL(plugin, OnEvent202(kDoc, &filename, _))
      .WillOnce(Invoke([](MQDocument, void*, Event202Record* record) {
        record->saveUniqueIds = 5;
      }));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 202, options.list()), 1);
  EXPECT_EQ(options.IntAt(0), 1);
}

TEST(EventDispatch, Event200HandsOverTheElementInItsRecord) {
  NiceMock<MockStationPlugin> plugin;
  int element = 0;
  Options options;
  options.Ptr("xml_elem", &element);
  EXPECT_CALL(plugin, OnEvent200(kDoc, nullptr, Pointee(Field(&Event200Record::element,
                                                                Eq(&element)))));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 200, options.list()), 1);
}

TEST(EventDispatch, UnknownCodesAnswerZeroAndCallNothing) {
  StrictMock<MockStationPlugin> plugin;
  for (int code : {0, 3, 99, 104, 111, 119, 131, 139, 142, 199, 203, 209, 213, 219, 223, 229,
                   232, 239, 241, -1}) {
    EXPECT_EQ(DispatchEvent(&plugin, kDoc, code, nullptr), 0) << code;
  }
}

TEST(EventDispatch, PointerAndKeyEventsAnswerZeroForAStationPlugin) {
  StrictMock<MockStationPlugin> plugin;
  for (int code = 120; code <= 130; ++code) {
    EXPECT_EQ(DispatchEvent(&plugin, kDoc, code, nullptr), 0) << code;
  }
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 140, nullptr), 0);
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 141, nullptr), 0);
}

TEST(EventDispatch, CommandPluginGetsTheMouseStateWithFlagsFromTheButtonBits) {
  StrictMock<MockCommandPlugin> plugin;
  int scene = 0;
  Options options;
  // Bits 0 (left), 1 (right), 3 (ctrl) and 5 (alt) set.
  options.Ptr("scene", &scene).Int("mouse_pos_x", 10).Int("mouse_pos_y", 20);
  options.Int("mouse_wheel", -120).Int("button_state", 0b101011).Int("key", 65);

  MouseStateRecord seen = {};
  EXPECT_CALL(plugin, OnRightButtonUp(kDoc, &scene, _))
      .WillOnce(Invoke([&](MQDocument, void*, MouseStateRecord* state) {
        seen = *state;
        return 3;
      }));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 128, options.list()), 3);
  EXPECT_EQ(seen.x, 10);
  EXPECT_EQ(seen.y, 20);
  EXPECT_EQ(seen.wheel, -120);
  EXPECT_EQ(seen.leftButton, 1);
  EXPECT_EQ(seen.middleButton, 0);
  EXPECT_EQ(seen.rightButton, 1);
  EXPECT_EQ(seen.shiftKey, 0);
  EXPECT_EQ(seen.ctrlKey, 1);
  EXPECT_EQ(seen.altKey, 1);

  // Each bit alone sets its own flag and no other.
  for (int bit = 0; bit < 6; ++bit) {
    Options one;
    one.Int("button_state", 1 << bit);
    EXPECT_CALL(plugin, OnMouseMove(kDoc, nullptr, _))
        .WillOnce(Invoke([&](MQDocument, void*, MouseStateRecord* state) {
          seen = *state;
          return 0;
        }));
    DispatchEvent(&plugin, kDoc, 129, one.list());
    const int flags[6] = {seen.leftButton, seen.rightButton,  seen.shiftKey,
                          seen.ctrlKey,    seen.middleButton, seen.altKey};
    for (int flag = 0; flag < 6; ++flag) EXPECT_EQ(flags[flag], flag == bit ? 1 : 0) << bit;
  }

  EXPECT_CALL(plugin, OnKeyUp(kDoc, &scene, 65, _))
      .WillOnce(Invoke([&](MQDocument, void*, int, MouseStateRecord* state) {
        seen = *state;
        return 1;
      }));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 141, options.list()), 1);
  EXPECT_EQ(seen.x, 0);
  EXPECT_EQ(seen.y, 0);
  EXPECT_EQ(seen.wheel, 0);
  EXPECT_EQ(seen.leftButton, 1);
  EXPECT_EQ(seen.altKey, 1);

  EXPECT_CALL(plugin, OnLeftButtonDown(kDoc, nullptr, _)).WillOnce(Return(1));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 120, nullptr), 1);
  EXPECT_CALL(plugin, OnMouseWheel(kDoc, nullptr, _)).WillOnce(Return(2));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 130, nullptr), 2);
  EXPECT_CALL(plugin, OnKeyDown(kDoc, nullptr, 0, _)).WillOnce(Return(1));
  EXPECT_EQ(DispatchEvent(&plugin, kDoc, 140, nullptr), 1);
}

}  // namespace
