// GoogleTest names for the rows of a table: the row's name with every character that a
// test name cannot hold made an underscore.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace ombrix {

template <typename Row> std::string rowName(const testing::TestParamInfo<Row>& row) {
    std::string name = row.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

} // namespace ombrix
