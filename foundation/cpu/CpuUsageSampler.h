// CpuUsageSampler: processor load in percent from the platform's
// performance data, for the CPU meter. Each call compares a counter with
// its value at the previous call of the same object, so one object serves
// one kind of measurement (the total, or one process). Call all samplers
// from one thread: they share one data buffer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/CString.h"

// Where the performance data comes from: the registry's performance-data
// key, or a test's blocks (under Wine the platform's counters read 0).
class PerfDataSource
{
public:
    virtual ~PerfDataSource() = default;
    // As RegQueryValueEx on HKEY_PERFORMANCE_DATA: fills the buffer and
    // sets *size, or answers ERROR_MORE_DATA when the buffer is too small.
    virtual LONG QueryPerfData(const char* valueName, BYTE* buffer, DWORD* size) = 0;
};

// The source in use (null: the registry); returns the previous one.
PerfDataSource* SetPerfDataSource(PerfDataSource* source);

// The shared buffer's current size (starts at 102400 bytes, grows by 10240
// until the data fits, never shrinks).
DWORD GetPerfDataBufferSize();

// The performance instance name of this program's process: its
// executable's name without the extension.
CString GetProcessInstanceName();

class CpuUsageSampler
{
public:
    // Construction
    CpuUsageSampler();
    virtual ~CpuUsageSampler() = default;

    // Operations
    // Percent of all processors busy since the previous call; 0 at the
    // first call; -1 on a platform without these counters.
    int GetTotalUsage();
    // Percent of one processor's time the process used since the previous
    // call (above 100 on several processors); 0 at the first call and for a
    // name that matches no process or is longer than 255 characters.
    int GetProcessUsage(const char* instanceName);

private:
    bool TakeSample(int64_t value, int64_t time, int64_t& dv, int64_t& dt);

    // Data
    bool m_bFirstSample;
    int64_t m_nPrevValue;
    int64_t m_nPrevTime;
};
