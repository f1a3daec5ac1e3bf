#include "model/SException.h"

SException::SException(const std::string& message, int code)
    : std::runtime_error(message), code_(code), message_(message)
{
}
