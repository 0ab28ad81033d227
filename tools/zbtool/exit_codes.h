// The exit codes of zbtool, as its help documents them.
#pragma once

namespace zbtool {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitTank = 2;          // the tank file cannot be read
constexpr int kExitOutput = 3;        // an output file cannot be written
constexpr int kExitOther = 4;         // anything else, such as too little memory
constexpr int kExitNotFinite = 5;     // the field stopped being finite numbers during the run
constexpr int kExitInterrupted = 130; // as a shell reports a run ended by Ctrl+C

} // namespace zbtool
