#pragma once

// Google Benchmark lets a benchmark's own Repetitions() override the command
// line. The benches put their defaults in front of the user's arguments
// instead, so that a later --benchmark_repetitions=N still wins.

#include <initializer_list>
#include <vector>

namespace zelvo::bench {

inline std::vector<char*> withDefaultFlags(int argc, char** argv, std::initializer_list<const char*> defaults)
{
    std::vector<char*> args{argv[0]};
    for (const char* flag : defaults)
        args.push_back(const_cast<char*>(flag));
    args.insert(args.end(), argv + 1, argv + argc);
    // argv ends with a null pointer; Qt and Google Benchmark may expect it.
    args.push_back(nullptr);
    return args;
}

} // namespace zelvo::bench
