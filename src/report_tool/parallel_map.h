#pragma once
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// Each report is read and re-graded on its own, so a folder of them is shared out over the
// machine's cores (times `perCore`, for work that mostly waits on the disk); the results keep the
// order of the inputs. The first exception a worker meets (out of memory, say) stops the others
// and is thrown again here.
template <typename Result, typename Function>
std::vector<Result> ParallelMap(std::size_t count, Function function, unsigned perCore = 1) {
    std::vector<Result> results(count);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&] {
        for (std::size_t i = next++; i < count && !stop; i = next++) {
            try {
                results[i] = function(i);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                failure = failure ? failure : std::current_exception();
                stop = true;
            }
        }
    };
    const std::size_t workers =
        std::min<std::size_t>(count, std::max(1U, std::thread::hardware_concurrency()) * perCore);
    {
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < workers; ++i) {
            helpers.emplace_back(work);
        }
        work();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return results;
}
