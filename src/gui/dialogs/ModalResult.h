#pragma once

namespace veskar {

/// The modal results that every dialog of the program returns. The message box closes itself
/// with Timeout when its countdown runs out; the caller's default takes its place on return.
namespace ModalResult {
constexpr int None = 0;
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Yes = 6;
constexpr int No = 7;
constexpr int Timeout = 11;
} // namespace ModalResult

} // namespace veskar
