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
    const auto differ = [&](const std::string& what) {
        return ::testing::AssertionFailure() << path << ": " << what;
    };
    if (expected.is_number() && actual.is_number()) {
        const double e = expected.get<double>(), a = actual.get<double>();
        return std::abs(e - a) <= tolerance
                   ? ::testing::AssertionSuccess()
                   : differ("expected " + std::to_string(e) + ", got " + std::to_string(a));
    }
    if (expected.type() != actual.type() || !expected.is_structured())
        return expected == actual ? ::testing::AssertionSuccess()
                                  : differ("expected " + expected.dump() + ", got " + actual.dump());
    if (expected.is_array() && expected.size() != actual.size())
        return differ("expected " + std::to_string(expected.size()) + " entries, got " +
                      std::to_string(actual.size()));
    for (const auto& [key, value] : expected.items()) {
        const bool array = expected.is_array();
        if (!array && !actual.contains(key))
            return differ("missing " + key);
        auto r = jsonNear(value, array ? actual[std::stoul(key)] : actual[key], tolerance,
                          path + (array ? "[" + key + "]" : "." + key));
        if (!r)
            return r;
    }
    return ::testing::AssertionSuccess();
}

} // namespace kalviro::test
