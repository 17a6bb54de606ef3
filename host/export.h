// How a host module exports a function by its plain C name.
#pragma once

#ifdef _WIN32
#define HOSTAPI_EXPORT extern "C" __declspec(dllexport)
#else
#define HOSTAPI_EXPORT extern "C" __attribute__((visibility("default")))
#endif
