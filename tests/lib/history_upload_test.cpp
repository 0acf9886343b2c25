// The history upload against a small HTTP server that the test runs on 127.0.0.1.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "foundation/settings.h"
#include "records/history_upload.h"
#include "sandbox.h"

namespace {

// Answers each request with the given body, or holds the connection open when silent.
class TestServer {
 public:
  explicit TestServer(std::string body, bool silent = false)
      : body_(std::move(body)), silent_(silent) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    listen(listener_, 4);
    thread_ = std::thread([this] { Serve(); });
  }
  ~TestServer() {
    stop_ = true;
    closesocket(listener_);
    thread_.join();
    WSACleanup();
  }
  // Points the upload at this server.
  void Configure() const {
    const std::string address =
        "http://127.0.0.1:" + std::to_string(port_) + "/cgi-bin/history.pl?";
    SettingsWriteString(HKEY_LOCAL_MACHINE, kBaseKey, "kvserver", address.c_str());
    SettingsWriteString(HKEY_LOCAL_MACHINE, kBaseKey, "kvid", "ID7");
  }
  // The request line is written before the count goes up, so it is whole once counted.
  int Connections() const { return connections_; }
  const std::string& RequestLine() const { return requestLine_; }

 private:
  void Serve() {
    SOCKET client;
    while ((client = accept(listener_, nullptr, nullptr)) != INVALID_SOCKET) {
      std::string request;
      char buffer[4096];
      int got = 0;
      while (request.find("\r\n\r\n") == std::string::npos &&
             (got = recv(client, buffer, sizeof buffer, 0)) > 0)
        request.append(buffer, static_cast<std::size_t>(got));
      requestLine_ = request.substr(0, request.find("\r\n"));
      ++connections_;
      while (silent_ && !stop_) Sleep(20);
      const std::string reply = "HTTP/1.0 200 OK\r\nContent-Length: " +
                                std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                                body_;
      if (!silent_) send(client, reply.data(), static_cast<int>(reply.size()), 0);
      closesocket(client);
    }
  }

  std::string body_;
  bool silent_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::string requestLine_;
  std::thread thread_;
};

using HistoryUploadTest = RegistrySandbox;

}  // namespace

TEST_F(HistoryUploadTest, NothingIsSentWithoutAServerAddress) {
  TestServer server("1");
  OptionSet("SendHistory", 1);
  EXPECT_EQ(0, HistoryUpload("START_Remove", "CURRENT_RUN", "Tool", "C:\\T\\tool.exe"));
  Sleep(100);
  EXPECT_EQ(0, server.Connections());
}

TEST_F(HistoryUploadTest, OnlyAReplyStartingWithOneCountsAndValuesAreEncoded) {
  for (const char* body : {"1", "0", "OK", ""}) {
    TestServer server(body);
    server.Configure();
    EXPECT_EQ(body[0] == '1' ? 1 : 0,
              HistoryUpload("IEHELPER_Remove", "TYPE_BHO", "A&B=C #D", "C:\\X\\bho.dll"))
        << "reply \"" << body << "\"";
    ASSERT_EQ(1, server.Connections());
    const std::string& line = server.RequestLine();
    EXPECT_EQ(0u, line.find("GET /cgi-bin/history.pl?&code=ID7&time=")) << line;
    EXPECT_NE(std::string::npos,
              line.find("&action=IEHELPER_Remove&type=TYPE_BHO&title=A%26B%3DC%20%23D"
                        "&path=C%3A%5CX%5Cbho.dll HTTP/1."))
        << line;
  }
}

TEST_F(HistoryUploadTest, ASilentServerHoldsTheCallerOnlyForTheTimeout) {
  TestServer server("1", true);
  server.Configure();
  const DWORD start = GetTickCount();
  EXPECT_EQ(0, HistoryUpload("START_Remove", "CURRENT_RUN", "Tool", "C:\\T\\tool.exe"));
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(server.Connections(), 1);
  EXPECT_LT(took, 3 * kUploadTimeoutMs) << took << " ms";
}
