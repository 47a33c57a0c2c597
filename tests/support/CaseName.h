// Names a parameterised test's cases by their own `name` field, so that a test run
// lists each case as a person reads it ("Rule.Decides.../ThiefLeftWithMom"), not by
// its index or a dump of its bytes.
#pragma once
#include <gtest/gtest.h>
#include <string>

struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return info.param.name;
    }
};
