// The fourteen functions the host calls. Plain C functions with undecorated names.
#pragma once

#include <cstdint>

#include "plugin/host_types.h"

extern "C" {
uint32_t MQCheckVersion(uint32_t hostVersion);
int MQInit(const char* hostModulePath);
void MQGetPlugInID(uint32_t* product, uint32_t* id);
const char* MQGetPlugInName();
int MQGetPlugInType();
const char* MQEnumString(int index);
const char* MQEnumFileType(int index);
const char* MQEnumFileExt(int index);
int MQImportFile(int index, const char* filename, MQDocument doc);
int MQExportFile(int index, const char* filename, MQDocument doc);
int MQCreate(int index, MQDocument doc);
int MQModifyObject(int index, MQDocument doc);
int MQModifySelect(int index, MQDocument doc);
int MQOnEvent(MQDocument doc, int eventCode, void* option);
}
