#pragma once
// Counts heap allocations: the benchmark programs link allocation_counter.cpp, which replaces the
// global operator new.

// Allocations through operator new since the program started.
long AllocationCount();
