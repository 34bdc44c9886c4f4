#include "storage/stack.h"

#include <cstdlib>

#include "storage/fatal.h"

CStack::CStack(int capacity) : m_capacity(capacity < 0 ? 0 : capacity) {
  // One spare slot, as the layout code has always had it.
  m_values = static_cast<int32_t*>(std::malloc((static_cast<size_t>(m_capacity) + 1) * sizeof(int32_t)));
  if (m_values == nullptr) FatalError("malloc error(CStack)");
}

CStack::~CStack() { std::free(m_values); }

int32_t CStack::Push(int32_t value) {
  if (m_count < m_capacity) m_values[m_count++] = value;
  return value;
}

int32_t CStack::Pop() { return m_count > 0 ? m_values[--m_count] : -1; }

int32_t CStack::Peek() const { return m_count > 0 ? m_values[m_count - 1] : -1; }

int CStack::Find(int32_t value) const {
  for (int i = 0; i < m_count; ++i)
    if (m_values[i] == value) return i;
  return -1;
}
