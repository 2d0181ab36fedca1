-- Neovim (0.7 or later): route source files with scenario_tool's language server.
--
-- NAME_linea.txt and NAME_TRAIN-.txt get the filetype "scenario", are read and written
-- as Windows-1252, and start `scenario_tool lsp` (one server for every such file).
-- scenario_tool is looked for in PATH; set vim.g.scenario_tool to its full path to
-- use another. Load this file from init.lua (dofile) or with `nvim -u`.

local patterns = { '*_linea.txt', '*-.txt' }
local group = vim.api.nvim_create_augroup('scenario', { clear = true })
local default_encodings = vim.o.fileencodings

-- The files are Windows-1252 on disk, whatever they hold.
vim.api.nvim_create_autocmd('BufReadPre', {
  group = group, pattern = patterns,
  callback = function() vim.o.fileencodings = 'cp1252' end,
})
vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
  group = group, pattern = patterns,
  callback = function(args)
    vim.o.fileencodings = default_encodings
    vim.bo[args.buf].fileencoding = 'cp1252'
    vim.bo[args.buf].filetype = 'scenario'
  end,
})

local client_id = nil
vim.api.nvim_create_autocmd('FileType', {
  group = group, pattern = 'scenario',
  callback = function(args)
    if client_id == nil or vim.lsp.get_client_by_id(client_id) == nil then
      client_id = vim.lsp.start_client({
        name = 'scenario_tool',
        cmd = { vim.g.scenario_tool or 'scenario_tool', 'lsp' },
        root_dir = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(args.buf), ':p:h'),
      })
    end
    if client_id ~= nil then
      vim.lsp.buf_attach_client(args.buf, client_id)
      -- The usual keys, in this buffer only.
      local map = function(key, fn) vim.keymap.set('n', key, fn, { buffer = args.buf }) end
      map('K', vim.lsp.buf.hover)
      map('gd', vim.lsp.buf.definition)
      map('<leader>a', vim.lsp.buf.code_action)
      map('<leader>o', vim.lsp.buf.document_symbol)
      vim.bo[args.buf].omnifunc = 'v:lua.vim.lsp.omnifunc'
    end
  end,
})
