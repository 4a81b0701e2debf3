#pragma once
// The labelled sections of a Gaussian formatted checkpoint file, read without
// interpreting them: "Name   I   value", "Name   R   N=  count" followed by
// the values, and the like. Readers of orbitals, basis sets and Hessians take
// what they need from here.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/readers/ReadResult.h"

namespace kalviro {

struct CheckpointSection {
    char type = 'R';           // I integer, R real, C text, L logical, H text
    bool isArray = false;      // "N=" sections
    std::vector<double> reals; // I and R values (integers are exact up to 2^53)
    std::string text;          // C and H arrays joined, and scalar texts
};

struct CheckpointSections {
    std::string title;        // line 1
    std::string jobType;      // line 2, columns 1-10, trimmed
    std::string method;       // line 2, from column 11 to column 70, trimmed
    std::string basisName;    // line 2, from column 71, trimmed
    std::map<std::string, CheckpointSection, std::less<>> sections;

    const CheckpointSection* find(std::string_view name) const;
    // The integer of a scalar I section; fallback when absent.
    long integer(std::string_view name, long fallback = 0) const;
    // The values of an array (or the one value of a scalar); empty when absent.
    const std::vector<double>& values(std::string_view name) const;
};

// Parses the text of a formatted checkpoint file. An array with fewer values
// than its count, a value that is not a number, or no section at all is an
// error naming the section.
ReadResult<CheckpointSections> parseCheckpointSections(std::string_view text);
ReadResult<CheckpointSections> readCheckpointSections(const std::string& path);

} // namespace kalviro
