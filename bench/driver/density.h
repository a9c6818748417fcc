#pragma once
// The screen density of the scratch prefix: HKEY_CURRENT_USER "Control Panel\Desktop" value
// LogPixels. Each Wine process reads it when it starts, so the programs the driver starts after
// a change run at the new density while the driver itself stays at the one it started with.

namespace bench {

void SetScreenDensity(int pixelsPerInch);

}  // namespace bench
