// Real files with version resources for the synthetic machines to point at: the system
// folder's own DLLs, whose company is Microsoft, and copies of the bench's vendor sample.
#pragma once
#include <string>
#include <vector>

// Up to count DLLs of the system folder, in name order, whose version resource names Microsoft
// as the company.
std::vector<std::string> BenchSystemFiles(int count);
// Copies the vendor sample (kv_bench_vendor.exe beside the bench) to path.
bool BenchVendorCopy(const std::string& path);
