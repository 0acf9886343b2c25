#include "shortcut_sandbox.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "foundation/handles.h"

void ShortcutSandbox::SetUp() {
  RegistrySandbox::SetUp();
  CoInitialize(nullptr);
}

void ShortcutSandbox::TearDown() {
  CoUninitialize();
  RegistrySandbox::TearDown();
}

void MakeShortcut(const std::string& path, const std::string& target, const char* arguments,
                  const char* description) {
  ComPtr<IShellLinkA> link;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IShellLinkA, link.PutVoid()));
  link->SetPath(target.c_str());
  link->SetArguments(arguments);
  link->SetDescription(description);
  ComPtr<IPersistFile> file;
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid()));
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  ASSERT_HRESULT_SUCCEEDED(file->Save(wide, TRUE));
}
