-- In the download the guides link to the pages made from them, not to the Markdown: a
-- link to README.md leads to README.html, and so on; a link that shows its own target
-- shows the new one.
local IN_DOWNLOAD = {
  ["README.md"] = "README.html",
  ["README.ja.md"] = "README.ja.html",
  ["LICENSE"] = "LICENSE.txt",
}

function Link(link)
  local target = IN_DOWNLOAD[link.target]
  if target == nil then
    return nil
  end
  if pandoc.utils.stringify(link.content) == link.target then
    link.content = { pandoc.Str(target) }
  end
  link.target = target
  return link
end
