#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace textform {

// The threads that make `count` pieces: no more than the processor runs at once, nor pieces.
inline std::size_t ThreadsFor(std::size_t count) {
  return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                 std::max<std::size_t>(count, 1));
}

// Makes `count` independent pieces of work on as many threads as the processor runs at once (the
// calling thread one of them) and uses each result on the calling thread, strictly in order:
// whatever is written and whichever failure is reported first is the same as one thread doing
// all in turn. `make(i, worker)` runs on any thread; `worker` (below the thread count) lets it
// keep room of its own from piece to piece. `use(i, result)` returning false stops: no piece
// starts after that, and the call returns once the pieces under way have ended.
template <class Result, class Make, class Use>
void MakeInParallelUseInOrder(std::size_t count, Make&& make, Use&& use) {
  const std::size_t threads = ThreadsFor(count);
  // Pieces made ahead of the one used next, at most: the results wait in memory.
  const std::size_t ahead = 2 * threads;
  std::vector<std::optional<Result>> results(count);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0, used = 0;
  bool stop = false;
  std::exception_ptr thrown;

  // Takes the next piece when there is one and it is not too far ahead; under the lock.
  const auto take = [&](std::unique_lock<std::mutex>& lock,
                        bool wait) -> std::optional<std::size_t> {
    if (wait) changed.wait(lock, [&] { return stop || next >= count || next < used + ahead; });
    if (stop || next >= count || next >= used + ahead) return std::nullopt;
    return next++;
  };
  const auto makeOne = [&](std::unique_lock<std::mutex>& lock, std::size_t piece,
                           std::size_t worker) {
    lock.unlock();
    std::optional<Result> made;
    std::exception_ptr failure;
    try {
      made.emplace(make(piece, worker));
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    if (failure) {
      if (!thrown) thrown = failure;
      stop = true;
    } else {
      results[piece] = std::move(made);
    }
    changed.notify_all();
  };

  std::vector<std::thread> helpers;
  for (std::size_t worker = 1; worker < threads; ++worker) {
    try {
      helpers.emplace_back([&, worker] {
        std::unique_lock lock(mutex);
        while (const auto piece = take(lock, true)) makeOne(lock, *piece, worker);
      });
    } catch (const std::system_error&) {
      break;  // fewer threads: the calling thread makes what the others do not
    }
  }
  {
    std::unique_lock lock(mutex);
    while (!stop && used < count) {
      if (results[used]) {
        Result result = std::move(*results[used]);
        results[used].reset();
        lock.unlock();
        bool goOn = false;
        std::exception_ptr failure;
        try {
          goOn = use(used, result);
        } catch (...) {
          failure = std::current_exception();
        }
        lock.lock();
        if (failure && !thrown) thrown = failure;
        ++used;
        if (!goOn) stop = true;
        changed.notify_all();
      } else if (const auto piece = take(lock, false)) {
        makeOne(lock, *piece, 0);
      } else {
        changed.wait(lock, [&] { return stop || results[used].has_value(); });
      }
    }
    stop = true;
    changed.notify_all();
  }
  for (std::thread& helper : helpers) helper.join();
  if (thrown) std::rethrow_exception(thrown);
}

}  // namespace textform
