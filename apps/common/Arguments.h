#pragma once

#include <string>
#include <vector>

// Command-line options of one command: "--name value" pairs and "--flag"s.
// Anything not taken by the command is an error.
class Arguments {
  public:
    Arguments(int argc, char** argv, int first);

    bool flag(const std::string& name);
    bool value(const std::string& name, std::string* out);
    bool number(const std::string& name, double* out);
    bool integer(const std::string& name, long* out);
    // The remaining positional words.
    std::vector<std::string> positional();
    // False with a message when an option was malformed or not recognised.
    bool finish(std::string* error);

  private:
    std::vector<std::string> words_;
    std::vector<bool> taken_;
    std::string error_;
};
