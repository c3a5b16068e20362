// The codes that wait for the national library catalogue, asked for in
// batches of distinct ISBNs once the publishers have been asked: each ISBN
// once however often it is listed, every request paced, a request the
// service does not answer tried again twice, later and later, before the
// catalogue is given up for the run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/lookup_run.h"

namespace okuzuke {

// A code line whose record the catalogue is to give.
struct WaitingCode {
  std::size_t slot = 0;                  // its place in RunContext::output
  std::string isbn;                      // as the host checked it: 13 digits, or 26 with an add-on code
  std::string ccode, price;              // what the typed line said of the book
  std::vector<std::string> unreachable;  // publisher addresses whose connection check failed
};

// Completes the catalogue's record `book` for `code` into its place.
using WaitingCodeWriter = std::function<void(const WaitingCode& code, TBase& book)>;

// The waits before the second and third try of a request the service did
// not answer, in FallbackIntervals.
inline constexpr int kRetryIntervals[] = {5, 30};
// The most pages one batch reads.
inline constexpr int kMaxPagesPerBatch = 10;

// Asks for every waiting code (in list order), kBatchSize distinct ISBNs a
// request, and writes each record found. Once the service refuses a batch's
// query, that batch and the rest are asked one code per request. Ends
// Stopped when the stop flag is set, ConnectionLost (after showing the
// addresses that failed) when the catalogue cannot be reached.
RunEnd AskCatalogue(RunContext& ctx, RunPorts& ports, const std::vector<WaitingCode>& waiting,
                    const WaitingCodeWriter& write);

}  // namespace okuzuke
