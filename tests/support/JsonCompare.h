#pragma once
// Compares two JSON values: texts, booleans and structure exactly, numbers
// within a tolerance. Failures name the path of the first difference.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace kalviro::test {

inline ::testing::AssertionResult jsonNear(const nlohmann::json& expected,
                                           const nlohmann::json& actual, double tolerance,
                                           const std::string& path = "$") {
    if (expected.is_number() && actual.is_number()) {
        const double e = expected.get<double>(), a = actual.get<double>();
        if (std::abs(e - a) <= tolerance)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path << ": expected " << e << ", got " << a;
    }
    if (expected.type() != actual.type())
        return ::testing::AssertionFailure() << path << ": expected " << expected.dump()
                                             << ", got " << actual.dump();
    if (expected.is_array()) {
        if (expected.size() != actual.size())
            return ::testing::AssertionFailure() << path << ": expected " << expected.size()
                                                 << " entries, got " << actual.size();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            auto r = jsonNear(expected[i], actual[i], tolerance, path + "[" + std::to_string(i) + "]");
            if (!r)
                return r;
        }
        return ::testing::AssertionSuccess();
    }
    if (expected.is_object()) {
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            if (!actual.contains(it.key()))
                return ::testing::AssertionFailure() << path << ": missing " << it.key();
            auto r = jsonNear(it.value(), actual[it.key()], tolerance, path + "." + it.key());
            if (!r)
                return r;
        }
        return ::testing::AssertionSuccess();
    }
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << path << ": expected " << expected.dump() << ", got "
                                         << actual.dump();
}

} // namespace kalviro::test
