// A station plug-in whose every operation is a mock, to watch what the dispatcher
// hands over.
#pragma once

#include <gmock/gmock.h>

#include "plugin/plugin_base.h"

// The station operations as mocks, on top of either base class.
template <typename Base>
class MockStationOperations : public Base {
 public:
  MOCK_METHOD(void, ReportPlugInID, (uint32_t*, uint32_t*), (override));
  MOCK_METHOD(const char*, ReportPlugInName, (), (override));
  MOCK_METHOD(int, ReportPlugInType, (), (override));
  MOCK_METHOD(const char*, ReportEnumString, (), (override));
  MOCK_METHOD(int, StartStation, (), (override));
  MOCK_METHOD(void, StopStation, (), (override));
  MOCK_METHOD(int, ShowStation, (MQDocument, int), (override));
  MOCK_METHOD(int, IsStationShown, (MQDocument), (override));
  MOCK_METHOD(void, OnEvent102, (MQDocument, int), (override));
  MOCK_METHOD(int, ReceivePlugInMessage, (MQDocument, int, int, void*, void*), (override));
  MOCK_METHOD(void, OnEvent110, (MQDocument, void*, int, int), (override));
  MOCK_METHOD(void, OnEvent200, (MQDocument, void*, Event200Record*), (override));
  MOCK_METHOD(void, OnEvent201, (MQDocument), (override));
  MOCK_METHOD(void, OnEvent202, (MQDocument, void*, Event202Record*), (override));
  MOCK_METHOD(int, OnEvent210, (MQDocument, int), (override));
  MOCK_METHOD(int, OnEvent211, (MQDocument, int), (override));
  MOCK_METHOD(void, OnEvent212, (MQDocument, int, int), (override));
  MOCK_METHOD(void, OnEvent221, (MQDocument), (override));
  MOCK_METHOD(void, OnEvent222, (MQDocument), (override));
  MOCK_METHOD(void, OnEvent220, (MQDocument), (override));
  MOCK_METHOD(void, OnEvent231, (MQDocument), (override));
  MOCK_METHOD(void, OnEvent230, (MQDocument), (override));
  MOCK_METHOD(void, OnEvent240, (MQDocument, void*), (override));
  MOCK_METHOD(bool, RunOperation, (MQDocument, void*), (override));
};

using MockStationPlugin = MockStationOperations<MQStationPlugin>;

// A command plug-in: the station mocks plus the pointer and key operations.
class MockCommandPlugin : public MockStationOperations<MQCommandPlugin> {
 public:
  MOCK_METHOD(int, OnLeftButtonDown, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnLeftButtonMove, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnLeftButtonUp, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnMiddleButtonDown, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnMiddleButtonMove, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnMiddleButtonUp, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnRightButtonDown, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnRightButtonMove, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnRightButtonUp, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnMouseMove, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnMouseWheel, (MQDocument, void*, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnKeyDown, (MQDocument, void*, int, MouseStateRecord*), (override));
  MOCK_METHOD(int, OnKeyUp, (MQDocument, void*, int, MouseStateRecord*), (override));
};
