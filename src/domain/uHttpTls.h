#pragma once

#include <curl/curl.h>
#include <string>

// What every https exchange shares, while each keeps a connection of its
// own: one trust store, read from the system's bundle on first use and
// handed to every connection, and one cache of TLS sessions, so a new
// connection resumes an earlier session with an abbreviated handshake. A
// server that does not know the session gets a full handshake, its
// certificate checked in full. Any thread.
void HttpShareTls(CURL* aHandle);

// Tests only: from the next connection on, trust exactly the certificates of
// the PEM file aPath, read once on first use, instead of the system's; an
// empty path returns to the system's. The program itself never calls this.
void HttpTrustFileForTests(const std::string& aPath);
