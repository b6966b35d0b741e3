#pragma once
// A fixture for tests of editors and their rules: the store holds a fresh
// default model, and the inputs-changed flag is clear before and after each
// test.

#include "stage/model_store.h"

#include <gtest/gtest.h>

class FreshModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateModelStore(ModelLimits{});
        InputsChanged = false;
    }
    void TearDown() override { InputsChanged = false; }
};
