-- A headless Neovim session against scenario_tool lsp, as .ci/run runs it:
--
--   SCENARIO_TOOL=build/scenario_tool SCENARIO_SOURCES=DIR \
--     nvim --headless --clean -u editors/neovim/scenario.lua -l editors/neovim/prova.lua
--
-- (0.7 has no -l: `-c 'luafile editors/neovim/prova.lua'` does the same.) DIR holds the
-- built-in sources (scenario_tool sources DIR). The built-in line file is opened and a
-- keyword misspelt, then the service file: each misspelling must be underlined at its
-- keyword with a did-you-mean fix within a second, and hover on a keyword must show its
-- record's fields; then :ScenarioView must open the route's live view at the station
-- under the cursor (needs curl). Ends with status 0, or 1 naming what failed.

vim.g.scenario_tool = os.getenv('SCENARIO_TOOL')
local folder = os.getenv('SCENARIO_SOURCES')

local function fail(what)
  io.stderr:write('neovim: ' .. what .. '\n')
  vim.cmd('cquit 1')
end

local function say(what) io.stdout:write('neovim: ' .. what .. '\n') end

-- Opens FILE, turns the first line that starts with FROM into one that starts with TO,
-- and waits for the diagnostic on it; returns it.
local function misspell(file, from, to, expected)
  vim.cmd('edit ' .. vim.fn.fnameescape(folder .. '/' .. file))
  local buf = vim.api.nvim_get_current_buf()
  if not vim.wait(5000, function() return #vim.lsp.buf_get_clients(buf) > 0 end, 20) then
    fail('no language server attached to ' .. file)
  end
  local lines = vim.api.nvim_buf_get_lines(buf, 0, -1, false)
  local row = nil
  for i, l in ipairs(lines) do
    if l:sub(1, #from) == from then row = i - 1 break end
  end
  if row == nil then fail('no line starting with ' .. from) end
  -- Wait for the first diagnostics of the file (none on the built-in one) to settle.
  vim.wait(300)
  local start = vim.loop.hrtime()
  vim.api.nvim_buf_set_text(buf, row, 0, row, #from, { to })
  local found = nil
  vim.wait(1000, function()
    for _, d in ipairs(vim.diagnostic.get(buf)) do
      if d.code == 'unknown-keyword' and d.lnum == row then found = d return true end
    end
    return false
  end, 10)
  if found == nil then fail('no unknown-keyword diagnostic within a second on line ' .. (row + 1) .. ' of ' .. file) end
  local ms = (vim.loop.hrtime() - start) / 1e6
  local keyword = to:match('^[^,]*')
  if found.col ~= 0 or found.end_col ~= #keyword then
    fail(string.format('the range is %d-%d, not 0-%d', found.col, found.end_col, #keyword))
  end
  if not found.message:find("did you mean '" .. expected .. "'%?") then fail('no did-you-mean in: ' .. found.message) end
  -- The fix as a code action.
  local params = vim.lsp.util.make_range_params()
  params.range = { start = { line = row, character = 0 }, ['end'] = { line = row, character = #keyword } }
  params.context = { diagnostics = {} }
  local replies = vim.lsp.buf_request_sync(buf, 'textDocument/codeAction', params, 2000) or {}
  local fixed = false
  for _, reply in pairs(replies) do
    for _, action in ipairs(reply.result or {}) do
      for _, edits in pairs(action.edit.changes) do
        if edits[1].newText == expected then fixed = true end
      end
    end
  end
  if not fixed then fail('no code action that writes ' .. expected) end
  say(string.format("%s line %d: '%s' underlined at columns %d to %d, '%s' offered as a fix, in %.0f ms",
    file, row + 1, keyword, found.col, found.end_col, expected, ms))
  return buf
end

local function hover(buf, word)
  local lines = vim.api.nvim_buf_get_lines(buf, 0, -1, false)
  for i, l in ipairs(lines) do
    if l:sub(1, #word) == word then
      local params = { textDocument = vim.lsp.util.make_text_document_params(buf),
                       position = { line = i - 1, character = 2 } }
      local replies = vim.lsp.buf_request_sync(buf, 'textDocument/hover', params, 2000) or {}
      for _, reply in pairs(replies) do
        if reply.result and reply.result.contents.value:find('**' .. word .. '**', 1, true) then
          return reply.result.contents.value
        end
      end
      fail('hover on ' .. word .. ' shows nothing of its record')
    end
  end
  fail('no line starting with ' .. word)
end

misspell('QUMA-DORVIA_MIRELO_linea.txt', 'pendenza,  1350', 'pendnza,  1350', 'pendenza')
local service = misspell('QUMA-DORVIA_MIRELO_brezane-.txt', 'segnale,    2100', 'segnalle,    2100', 'segnale')
local text = hover(service, 'stazione')
if not text:find('17. its name', 1, true) then fail('hover on stazione does not list its fields:\n' .. text) end
say('hover on stazione: ' .. text:gsub('\n.*', '') .. ', with its 17 fields')

-- :ScenarioView on the station at 15300 m: the route's live view is opened at its km.
-- The browser is a script that writes down the address it was given (xdg-open, found
-- first in PATH; Neovim 0.8 and later open what the server asks to show with it too).
local where = vim.fn.tempname()
vim.fn.mkdir(where, 'p')
vim.fn.writefile({ '#!/bin/sh', 'echo "$1" > ' .. where .. '/opened' }, where .. '/xdg-open')
vim.fn.setfperm(where .. '/xdg-open', 'rwx------')
vim.env.PATH = where .. ':' .. vim.env.PATH
for i, l in ipairs(vim.api.nvim_buf_get_lines(service, 0, -1, false)) do
  if l:sub(1, 17) == 'stazione,   15300' then vim.api.nvim_win_set_cursor(0, { i, 3 }) break end
end
vim.cmd('ScenarioView')
local opened = nil
vim.wait(5000, function()
  local f = io.open(where .. '/opened')
  if f then opened = f:read('*l') f:close() end
  return opened ~= nil
end, 20)
if opened == nil or not opened:match('^http://127%.0%.0%.1:%d+/#km=15%.3$') then
  fail(':ScenarioView opened ' .. tostring(opened) .. ', not the view at km 15.3')
end
local page = vim.fn.system({ 'curl', '-s', '--max-time', '5', opened:gsub('#.*', '') })
if not page:find('id="profile"', 1, true) then fail('the view at ' .. opened .. ' does not answer its page') end
say(':ScenarioView on stazione, 15300: ' .. opened .. ' opened, and it answers the page')
vim.cmd('qall!')
