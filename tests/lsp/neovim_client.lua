-- Neovim as a real client of `vsdoc lsp`: attaches the server to a C file
-- and checks a hover on AllocVec, a definition on "struct Window" and the
-- completions of "OpenWin". Run by neovim_test.sh, which passes the paths
-- in the environment; the exit code tells the result.
local vsdoc, base, cfile = os.getenv('VSDOC'), os.getenv('VSDOC_BASE'), os.getenv('C_FILE')
local failures = {}
local function check(ok, what)
  if not ok then table.insert(failures, what) end
end

vim.cmd('edit ' .. vim.fn.fnameescape(cfile))
local buf = vim.api.nvim_get_current_buf()
local id = vim.lsp.start_client({ name = 'vsdoc', cmd = { vsdoc, 'lsp', '--base', base },
                                  root_dir = vim.fn.fnamemodify(cfile, ':h') })
check(id ~= nil, 'the client started')
vim.lsp.buf_attach_client(buf, id)
local client = vim.lsp.get_client_by_id(id)
check(vim.wait(10000, function() return client.initialized end, 20), 'initialize answered')

-- The position of the first match of a pattern in the buffer, as LSP counts.
local function at(pattern, offset)
  for n, line in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
    local col = line:find(pattern, 1, true)
    if col then
      return { textDocument = { uri = vim.uri_from_bufnr(buf) }, position = { line = n - 1, character = col - 1 + (offset or 0) } }
    end
  end
end

local function ask(method, params)
  local answers = vim.lsp.buf_request_sync(buf, method, params, 10000) or {}
  local answer = answers[id] or {}
  check(answer.err == nil, method .. ' answered without error')
  return answer.result
end

local hover = ask('textDocument/hover', at('AllocVec', 2))
local text = hover and hover.contents and hover.contents.value or ''
check(text:find('APTR AllocVec%(ULONG byteSize, ULONG attributes%);') ~= nil, 'hover shows the prototype: ' .. text)
check(text:find('```c', 1, true) ~= nil and text:find('#### FUNCTION', 1, true) ~= nil, 'hover has the sections')
check(text:find('exec.doc', 1, true) ~= nil, 'hover names the document')

local definition = ask('textDocument/definition', at('struct Window', 2)) or {}
local location = definition[1] or definition
check(location.uri ~= nil and location.uri:match('window%.h$') ~= nil, 'definition in window.h: ' .. vim.inspect(definition))
check(location.range ~= nil and location.range.start.line == 11, 'definition on the structure line')

local completion = ask('textDocument/completion', at('OpenWin', 7)) or {}
local labels = {}
for _, item in ipairs(completion.items or completion) do
  table.insert(labels, item.label)
end
table.sort(labels)
check(table.concat(labels, ' ') == 'OpenWindow OpenWindowTagList', 'completions of OpenWin: ' .. table.concat(labels, ' '))

vim.lsp.stop_client(id)
vim.wait(2000, function() return vim.lsp.client_is_stopped(id) end, 20)
if #failures > 0 then
  io.stderr:write(table.concat(failures, '\n') .. '\n')
  vim.cmd('cquit 1')
end
io.stdout:write('neovim: hover, definition and completion answered\n')
vim.cmd('qall!')
