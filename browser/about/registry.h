// The registry as korvo reads it: open a key with an access mask, query one of its
// values, close it. The constants keep the platform's names and numbers, so code
// written against the platform's registry reads the same here. HiveRegistry
// (hive_registry.h) is the real one; tests script their own.
#pragma once

#include <cstdint>
#include <string>

namespace browser::registry {

using HKey = std::uint32_t;
using LStatus = std::int32_t;

// Predefined root keys.
inline constexpr HKey HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKey HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKey HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKey HKEY_USERS = 0x80000003;

// Access rights. Those that change a key need write permission on its hive.
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_NOTIFY = 0x0010;
inline constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
inline constexpr std::uint32_t DELETE = 0x00010000;
inline constexpr std::uint32_t READ_CONTROL = 0x00020000;
inline constexpr std::uint32_t WRITE_DAC = 0x00040000;
inline constexpr std::uint32_t WRITE_OWNER = 0x00080000;
inline constexpr std::uint32_t GENERIC_ALL = 0x10000000;
inline constexpr std::uint32_t GENERIC_WRITE = 0x40000000;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_WRITE = 0x20006;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0x2003F;
inline constexpr std::uint32_t kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK |
                                              DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_ALL |
                                              GENERIC_WRITE;

// Value types.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

// Result codes.
inline constexpr LStatus ERROR_SUCCESS = 0;
inline constexpr LStatus ERROR_FILE_NOT_FOUND = 2;
inline constexpr LStatus ERROR_ACCESS_DENIED = 5;
inline constexpr LStatus ERROR_INVALID_HANDLE = 6;
inline constexpr LStatus ERROR_BAD_PATHNAME = 161;
inline constexpr LStatus ERROR_MORE_DATA = 234;
inline constexpr LStatus ERROR_BADDB = 1009;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens sub_key below root (a predefined root or an open key; an empty sub_key opens
  // root itself) with the rights in sam_desired. On success result receives the new
  // key's handle; on failure it is left as it was.
  virtual LStatus RegOpenKeyEx(HKey root, const std::string& sub_key, std::uint32_t options,
                               std::uint32_t sam_desired, HKey& result) = 0;

  // Reads the value value_name of key: its type into type and its bytes into data,
  // which holds size bytes. size receives the length of the value's data; when data
  // is null, only the type and the length are given; when the data do not fit, the
  // result is ERROR_MORE_DATA and data is left as it was.
  virtual LStatus RegQueryValueEx(HKey key, const std::string& value_name, std::uint32_t& type,
                                  std::uint8_t* data, std::uint32_t& size) = 0;

  virtual LStatus RegCloseKey(HKey key) = 0;
};

}  // namespace browser::registry
