#pragma once
// TRegistry: access to the current user's registry, one object per use. It opens existing keys
// only (never creates one), always asks for full access, holds at most one open key and closes
// it when released. Writes are lazy: the key is never flushed.

#include <string>

#include "classlib/core/strings.h"
#include "classlib/registry/registry_api.h"
#include "classlib/registry/registry_key.h"

class TRegistry {
public:
  TRegistry();  // root key HKEY_CURRENT_USER, no current key
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens an existing key with KEY_ALL_ACCESS. A path with a leading backslash is taken from
  // the root key, one without from the current key if one is open, else from the root key.
  // On failure returns false and leaves the object as it was.
  bool OpenKey(const std::string& path);

  // The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded), up to its first zero byte.
  // Empty when the value is missing, its data is empty, or no key is open. Another type with
  // data raises ERegistryException "invalid data type"; a read that fails after the value was
  // found raises ERegistryException "could not get data".
  std::string ReadString(const std::string& name);

  // Empties `list`, then appends the current key's subkey names in enumeration order. A name
  // that cannot be read whole at its index is skipped, and so is one that comes up again (keys
  // moved while they were read). No key open: the list stays empty.
  // Errors of the list itself pass to the caller.
  void GetKeyNames(TStrings& list);

  // Stores `value` as REG_SZ in the current key. No key open, or a refused write, raises
  // ERegistryException "could not set data"; nothing is written anywhere else.
  void WriteString(const std::string& name, const std::string& value);

  // Closes the current key, if any.
  void CloseKey();

  bool HasCurrentKey() const { return static_cast<bool>(current_); }
  const std::string& CurrentPath() const { return currentPath_; }

private:
  classlib::registry_api::Key root_ = classlib::registry_api::kCurrentUser;
  classlib::RegistryKey current_;
  std::string currentPath_;  // as opened, without a leading backslash
};
