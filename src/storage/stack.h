// CStack: a fixed-capacity stack of 32-bit integers, used by line layout to
// track nested markup. The capacity is fixed at construction and all storage
// is taken at once, so pushes never allocate; a push onto a full stack is
// dropped (the caller's nesting is deeper than it can show anyway).
//
// An allocation failure is fatal ("malloc error(CStack)").
#ifndef TOMELING_STORAGE_STACK_H_
#define TOMELING_STORAGE_STACK_H_

#include <cstdint>

class CStack {
 public:
  explicit CStack(int capacity = 100);
  ~CStack();
  CStack(const CStack&) = delete;
  CStack& operator=(const CStack&) = delete;

  // Pushes `value` unless the stack is full; returns `value` either way.
  int32_t Push(int32_t value);
  // Removes and returns the top value, or -1 when empty.
  int32_t Pop();
  // Returns the top value, or -1 when empty.
  int32_t Peek() const;
  // Index from the bottom of the first value equal to `value`, or -1.
  int Find(int32_t value) const;
  void Clear() { m_count = 0; }

  int Count() const { return m_count; }
  int Capacity() const { return m_capacity; }
  bool IsEmpty() const { return m_count == 0; }

 private:
  int32_t* m_values;
  int m_capacity;
  int m_count = 0;
};

#endif  // TOMELING_STORAGE_STACK_H_
