#pragma once

// A test program that adds allocation_counter.cpp to its sources counts every
// allocation it makes, to show that a piece of code makes none.
namespace vortest {

// Allocations made through operator new since the program started.
long AllocationCount();

}  // namespace vortest
