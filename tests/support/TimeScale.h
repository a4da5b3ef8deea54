#pragma once
// Timing tests stretch their schedules, and what they allow a busy machine, by this
// factor in the sanitizer build, where every step runs several times slower; the
// ordinary build checks the figures as written.

namespace TestSupport {

#if defined(__SANITIZE_ADDRESS__)  // GCC
constexpr int kTimeScale = 4;
#elif defined(__has_feature)  // clang
#if __has_feature(address_sanitizer)
constexpr int kTimeScale = 4;
#else
constexpr int kTimeScale = 1;
#endif
#else
constexpr int kTimeScale = 1;
#endif

}  // namespace TestSupport
