#pragma once
// One run of the built program: `quorvel fetch --json` against a fixture site served
// over loopback HTTP, its JSON read back into the post's boxes (GBK, as the window holds them).
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "tests/support/compose_harness.h"
#include "tests/support/fixture_server.h"

namespace quorvel::testing {

struct CommandLinePost {
  int exitCode = -1;
  std::string output;  // as printed, UTF-8
  Text title;
  Text content;
  Text replace;
  Text status;
  int radio = 0;
};

inline CommandLinePost fetchWithCommandLine(const std::string& fixtureDir, const std::string& host,
                                            const Text& address) {
  FixtureServer server(std::string(QUORVEL_FIXTURES_DIR) + "/" + fixtureDir);
  const std::string command = std::string(QUORVEL_BINARY) + " fetch --json --connect-to " +
                              server.route(host) + " '" + address + "'";
  CommandLinePost post;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return post;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) post.output.append(buffer, n);
  const int status = pclose(pipe);
  post.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;

  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(post.output)).object();
  auto text = [&](const char* key) { return utf8ToGbk(json.value(key).toString().toStdString()); };
  post.title = text("title");
  post.content = text("content");
  post.replace = text("replace");
  post.status = text("status");
  post.radio = json.value("radio").toInt();
  return post;
}

}  // namespace quorvel::testing
