-- Neovim (0.7 or later): route source files with scenario_tool's language server.
--
-- NAME_linea.txt and NAME_TRAIN-.txt get the filetype "scenario", are read and written
-- as Windows-1252, and start `scenario_tool lsp` (one server for every such file).
-- scenario_tool is looked for in PATH; set vim.g.scenario_tool to its full path to
-- use another. Load this file from init.lua (dofile) or with `nvim -u`.
--
-- :ScenarioView opens the route's live view (scenario_tool view --serve, started by the
-- language server) in the browser, centred on the kilometre of the record under the
-- cursor. Neovim 0.8 and later open what the server asks them to show; 0.7, which
-- cannot, opens the address the command answers with xdg-open (start on Windows).

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
      vim.api.nvim_buf_create_user_command(args.buf, 'ScenarioView', function()
        local client = vim.lsp.get_client_by_id(client_id)
        if client == nil then return end
        local p = vim.lsp.util.make_position_params()
        client.request('workspace/executeCommand',
          { command = 'scenario.openView', arguments = { p.textDocument.uri, p.position } },
          function(err, address)
            if err then
              vim.notify('ScenarioView: ' .. err.message, vim.log.levels.ERROR)
            elseif type(address) == 'string' and vim.fn.has('nvim-0.8') == 0 then
              local open = vim.fn.has('win32') == 1 and { 'cmd.exe', '/c', 'start', '', address }
                or { 'xdg-open', address }
              vim.fn.jobstart(open, { detach = true })
            end
          end, args.buf)
      end, { desc = "The route's live view at the cursor's kilometre" })
    end
  end,
})
