// The parameters of a structure family: each with its range, so that a value out of it is
// refused with a message naming the parameter and the range.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

// What a creator cannot make, in one message that names what and where.
class Refused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The forms of a cable family in which a value shapes the structure: every form, or only
// as given (a prestress) or only form-found (a force density).
enum class CountsIn { everyForm, asGiven, formFound };

struct Parameter {
    std::string name;
    double least = 0;
    double most = 0;
    double initial = 0;
    bool whole = false;               // a count
    std::vector<std::string> choices; // when given, the value is the index of the choice
    CountsIn countsIn = CountsIn::everyForm;
};

// A family's values, in the order of its parameters, once each lies in its range.
class Values {
  public:
    Values(const std::vector<Parameter>& parameters, std::vector<double> values);

    double number(std::string_view name) const;
    int count(std::string_view name) const; // a whole number, or a choice's index

  private:
    const std::vector<Parameter>& parameters_;
    std::vector<double> values_;
};

std::string rangeOf(const Parameter& parameter);                  // "from 1 to 200", "one of ..."
std::string shownValue(const Parameter& parameter, double value); // the number, or the choice

} // namespace ombrix
