#pragma once
// The one root of every failure the program raises. Handlers show Message() to the user, so it is
// written for a person, without a trailing full stop (the error report adds one).

#include <stdexcept>
#include <string>

namespace platform {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A picture whose bytes cannot be decoded (truncated, corrupt, lying about its sizes).
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A request for more memory or a larger bitmap than the program is willing to make.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace platform
