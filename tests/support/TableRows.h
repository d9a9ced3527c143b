#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <string>

namespace scontrix::test {

// Names each row of a TEST_P table after its `name` member, so a failing row
// is reported by name; anything but letters and digits becomes "_".
struct RowName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    }
};

} // namespace scontrix::test
