// Calls made from many threads at once, for the tests that nothing is shared between calls.
#pragma once

#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

namespace orbx::test {

// Starts `count` threads together, each running `work(thread index)`, which returns how many of
// its calls gave another result than a call made alone; every thread must report none.
template <typename Work>
void ExpectNoThreadWrong(int count, Work work) {
    std::latch go(count);
    std::vector<int> wrong(static_cast<std::size_t>(count), 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < count; ++t) {
        threads.emplace_back([&, t] {
            go.arrive_and_wait();
            wrong[static_cast<std::size_t>(t)] = work(t);
        });
    }
    for (auto& th : threads)
        th.join();
    for (int t = 0; t < count; ++t)
        EXPECT_EQ(wrong[static_cast<std::size_t>(t)], 0) << "thread " << t;
}

}  // namespace orbx::test
