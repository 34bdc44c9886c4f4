#include "storage/stack.h"

#include <gtest/gtest.h>

TEST(StackTest, PushPopPeekFindAndClear) {
  CStack stack(3);
  EXPECT_EQ(stack.Pop(), -1);
  EXPECT_EQ(stack.Peek(), -1);
  EXPECT_EQ(stack.Find(7), -1);

  EXPECT_EQ(stack.Push(7), 7);
  EXPECT_EQ(stack.Push(8), 8);
  EXPECT_EQ(stack.Push(7), 7);
  EXPECT_EQ(stack.Find(7), 0);  // first from the bottom
  EXPECT_EQ(stack.Find(8), 1);

  // A full stack drops the push but still hands the value back.
  EXPECT_EQ(stack.Push(9), 9);
  EXPECT_EQ(stack.Count(), 3);
  EXPECT_EQ(stack.Find(9), -1);

  EXPECT_EQ(stack.Peek(), 7);
  EXPECT_EQ(stack.Pop(), 7);
  EXPECT_EQ(stack.Pop(), 8);
  stack.Clear();
  EXPECT_EQ(stack.Pop(), -1);
  EXPECT_EQ(stack.Push(-5), -5);
  EXPECT_EQ(stack.Peek(), -5);
}

TEST(StackTest, DefaultCapacityIsOneHundred) {
  CStack stack;
  for (int i = 0; i < 150; ++i) stack.Push(i);
  EXPECT_EQ(stack.Count(), 100);
  EXPECT_EQ(stack.Peek(), 99);
  CStack empty(0);
  empty.Push(1);
  EXPECT_EQ(empty.Pop(), -1);
}
