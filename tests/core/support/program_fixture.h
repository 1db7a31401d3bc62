#pragma once

#include "program/program.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vexa::test {

// A test with a started program whose home is a fresh temporary folder.
class ProgramFixture : public testing::Test {
  protected:
    TempDir dir;
    Program program;
    void SetUp() override {
        program.home.root = dir.path();
        startProgram(program);
    }
};

} // namespace vexa::test
