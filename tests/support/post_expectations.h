#pragma once
// What a composed post should hold, and small sites to compose it from.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/compose_harness.h"

namespace quorvel::testing {

// One link block of a film's post and the check box that lets it in.
struct Block {
  std::string_view checkBox;
  Text kindTag;
  Text lines;  // the whole block in the content box
};

// A completed post: `title` and `content` followed by the kind tags and blocks, in order,
// of every block whose box is not in `unchecked`.
inline ComposedPost completedPost(Text title, Text content, const std::vector<Block>& blocks,
                                  const std::vector<std::string_view>& unchecked = {}) {
  ComposedPost post;
  post.title = std::move(title);
  post.content = std::move(content);
  for (const Block& block : blocks) {
    if (std::find(unchecked.begin(), unchecked.end(), block.checkBox) != unchecked.end()) continue;
    post.title += block.kindTag;
    post.content += block.lines;
  }
  post.status = gbk("获取完毕!");
  return post;
}

// The four boxes the user sees; requests and tool tip are left to each test.
inline void expectPost(const ComposedPost& actual, const ComposedPost& expected) {
  EXPECT_EQ(actual.title, expected.title);
  EXPECT_EQ(actual.content, expected.content);
  EXPECT_EQ(actual.replace, expected.replace);
  EXPECT_EQ(actual.status, expected.status);
}

// The fixture site `site` (see fixtureSite), except that `address` gets `answer`.
inline PageFetcher answering(const std::string& site, const Text& address, FetchResult answer) {
  return [fixture = fixtureSite(site), address, answer = std::move(answer)](const Text& page) {
    return page == address ? answer : fixture(page);
  };
}

// A site that answers every address with `page`.
inline PageFetcher servePage(Bytes page) {
  return [page = std::move(page)](const Text&) { return FetchResult{page, true, ""}; };
}

// The two ways a film page leaves nothing to cut, with the status the run then ends with:
// no response at all, or an error page that holds none of the site's markers.
struct EmptyFilmPage {
  const char* name;
  PageFetcher site;
  Text status;
};

inline std::vector<EmptyFilmPage> emptyFilmPages() {
  return {
      {"no response", [](const Text&) { return FetchResult{"", false, "refused"}; },
       gbk("获取失败!")},
      {"no markers", servePage("<html><body>404 Not Found</body></html>"), gbk("获取完毕!")},
  };
}

}  // namespace quorvel::testing
