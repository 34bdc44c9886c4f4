// Records the largest single operator-new request made while a probe is
// alive, so a test can check that no file content makes the code under test
// allocate more than the file justifies. Replaces the global operator new of
// the storage test program; the replacement only counts and forwards to
// malloc, so the sanitizers still see every block.
#ifndef TOMELING_TESTS_STORAGE_ALLOCATION_PROBE_H_
#define TOMELING_TESTS_STORAGE_ALLOCATION_PROBE_H_

#include <cstddef>

class CAllocationProbe {
 public:
  CAllocationProbe();
  ~CAllocationProbe();
  CAllocationProbe(const CAllocationProbe&) = delete;
  CAllocationProbe& operator=(const CAllocationProbe&) = delete;
  size_t Largest() const;
};

#endif  // TOMELING_TESTS_STORAGE_ALLOCATION_PROBE_H_
