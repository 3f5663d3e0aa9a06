#pragma once
// Gives back the memory of the calling thread's stack below its current
// frame. Under Wine every thread starts by zeroing about a megabyte of its
// stack, and those pages stay resident for the thread's whole life although
// a thread that mostly waits uses a few kilobytes of them. A thread calls
// this where its stack is shallow and it is about to wait for a long time:
// at its start, and the main thread before its message loop.
//
// The stack stays committed and usable to its full depth; a released page
// that the thread reaches again is simply supplied afresh. Only what lies
// a safe margin below the caller's frame is released, so the frames of the
// caller and of the release itself are untouched.

#include <cstddef>

// What stays untouched below the caller's frame.
constexpr std::size_t kStackReleaseMargin = 16 * 1024;

void ReleaseUnusedStack();
