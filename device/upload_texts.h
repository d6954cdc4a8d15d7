#pragma once

namespace kadr {

// The upload's own words, exactly as the user reads them.
inline constexpr char kCaptionUpload[] = "Загрузить в\nустройство";
inline constexpr char kCaptionAbort[] = "Прервать\nзагрузку";
inline constexpr char kStatusHandshake[] = "Посылка пакетов согласования";
inline constexpr char kStatusProgramming[] = "Программирование";
inline constexpr char kStatusCompleted[] = "Программирование завершино";
inline constexpr char kStatusNoReply[] = "Нет ответа от устройства";
inline constexpr char kStatusAborted[] = "Прграммирование прервано";
// The device went away under the upload (an unplugged adapter): not a silence to wait out.
inline constexpr char kStatusConnectionLost[] = "Потеряна связь с устройством";

}  // namespace kadr
