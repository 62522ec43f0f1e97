// Environment variables for a test, and the player's locale in particular.
// On Linux the ANSI code page follows LC_ALL at once; on Windows it is the
// system's, fixed when the process starts, so a test that needs another one
// checks kvn::AnsiCodePage() and is run with LC_ALL set (Wine follows it).
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kvn::test {

// Sets the variable `name` to `value` while this lives (on Windows: nothing).
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
#ifndef _WIN32
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value, 1);
#else
        (void)value;
#endif
    }
    ~ScopedVariable() {
#ifndef _WIN32
        if (old_)
            ::setenv(name_.c_str(), old_->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
#endif
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

// The player's locale, such as "ru_RU.UTF-8".
class ScopedLocale : public ScopedVariable {
  public:
    explicit ScopedLocale(const char* name) : ScopedVariable("LC_ALL", name) {}
};

} // namespace kvn::test
